#include "Sheet.h"

#include <algorithm>

#include "app/Timeline.h"

std::vector<std::uint32_t> sheetTimes(std::uint32_t from, std::uint32_t to, std::uint32_t every) {
    std::vector<std::uint32_t> times;
    for (std::uint64_t t = from; t < to; t += every) {
        times.push_back(static_cast<std::uint32_t>(t));
    }
    return times;
}

std::string timeLabel(std::uint32_t ms) {
    std::string clock = showClock(ms);
    if (ms % 1000 == 0) {
        clock.erase(clock.size() - std::size(".000") + 1);
    }
    return clock + "  " + std::to_string(ms) + " ms";
}

int SheetLayout::thumbX(std::size_t index) const {
    const int column = static_cast<int>(index % static_cast<std::size_t>(columns));
    return margin + column * (thumbWidth + margin);
}

int SheetLayout::thumbY(std::size_t index) const {
    const int row = static_cast<int>(index / static_cast<std::size_t>(columns));
    return margin + row * (thumbHeight + labelHeight + 2 * margin);
}

SheetLayout layoutSheet(std::size_t count, int columns, int thumbWidth, int frameWidth,
                        int frameHeight, int labelHeight) {
    SheetLayout layout;
    layout.columns = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(columns), std::max<std::size_t>(count, 1)));
    layout.rows = static_cast<int>((std::max<std::size_t>(count, 1) + layout.columns - 1) /
                                   static_cast<std::size_t>(layout.columns));
    layout.thumbWidth = thumbWidth;
    layout.thumbHeight = std::max(1, (thumbWidth * frameHeight + frameWidth / 2) / frameWidth);
    layout.labelHeight = labelHeight;
    layout.margin = std::max(4, thumbWidth / 30);
    layout.width = layout.margin + layout.columns * (layout.thumbWidth + layout.margin);
    layout.height =
        layout.margin + layout.rows * (layout.thumbHeight + layout.labelHeight + 2 * layout.margin);
    return layout;
}
