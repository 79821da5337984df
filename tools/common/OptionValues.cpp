#include "OptionValues.h"

#include <algorithm>
#include <cctype>

#include "Schedule.h"

OptionWord splitOptionWord(const std::string& word) {
    const std::size_t equals = word.find('=');
    if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
        return {word.substr(0, equals), word.substr(equals + 1)};
    }
    return {word, std::nullopt};
}

std::uint64_t parseWhole(const std::string& option, const std::string& text, std::uint64_t most) {
    const bool digits =
        !text.empty() && text.size() <= 12 &&
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    if (!digits) {
        throw OptionError(option + " takes a whole number, not '" + text + "'");
    }
    const std::uint64_t value = std::stoull(text);
    if (value > most) {
        throw OptionError(option + " " + text + " is too large (at most " + std::to_string(most) +
                          ")");
    }
    return value;
}

int parseInt(const std::string& option, const std::string& text, int least, int most) {
    const auto value = static_cast<int>(parseWhole(option, text, static_cast<std::uint64_t>(most)));
    if (value < least) {
        throw OptionError(option + " " + text + " is too small (at least " + std::to_string(least) +
                          ")");
    }
    return value;
}

std::uint32_t parseTime(const std::string& option, const std::string& text) {
    return static_cast<std::uint32_t>(parseWhole(option, text, kShowLastFrameMs));
}

PixelSize parseSize(const std::string& option, const std::string& text) {
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos) {
        throw OptionError(option + " takes WIDTHxHEIGHT, such as 1920x1080, not '" + text + "'");
    }
    return {parseInt(option + " width", text.substr(0, cross), 16, 16384),
            parseInt(option + " height", text.substr(cross + 1), 16, 16384)};
}
