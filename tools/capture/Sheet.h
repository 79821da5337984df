#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Times of the contact sheet's thumbnails: from, from + every, ... while before `to`.
std::vector<std::uint32_t> sheetTimes(std::uint32_t from, std::uint32_t to, std::uint32_t every);

// "2:35  155000 ms"; fractions of a second show as "0:02.500  2500 ms".
std::string timeLabel(std::uint32_t ms);

// Where everything goes on the sheet: a grid of cells, each a thumbnail with its label
// beneath, with a margin around and between the cells.
struct SheetLayout {
    int columns = 0;
    int rows = 0;
    int thumbWidth = 0;
    int thumbHeight = 0;
    int labelHeight = 0;
    int margin = 0;
    int width = 0;
    int height = 0;

    int thumbX(std::size_t index) const;
    int thumbY(std::size_t index) const;
    int labelY(std::size_t index) const { return thumbY(index) + thumbHeight + margin / 2; }
};

// The thumbnail keeps the frame's proportions; fewer thumbnails than columns give one row
// only as wide as they need.
SheetLayout layoutSheet(std::size_t count, int columns, int thumbWidth, int frameWidth,
                        int frameHeight, int labelHeight);
