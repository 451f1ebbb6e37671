// How a table's columns share its width: numbers are never cut, texts give way, and what is left over
// scrolls. The view measures the texts in its font; these rules decide the widths.
#pragma once
#include <string>
#include <vector>

namespace vildo {

struct Grid;

// A cell that holds a number as the tables write them: digits with an optional sign, decimal comma or
// point, spaces and a trailing per cent sign ("24 321", "-0,8", "40 %"), or a ratio ("48:52").
bool isNumberText(const std::string& text);

// Number columns: those with a number (a year in the header counts) whose cells below the fixed rows hold
// numbers and nothing else (empty cells aside).
std::vector<bool> numberColumns(const Grid& g);

struct ColumnNeed {
    int width;   // as the table's own size rule gives it
    int needed;  // the widest cell in the current font, margins included
    bool number;
    int least = 0;  // a text column's narrowest useful width (a few characters)
};

// The column widths within `available` pixels: a number column is at least as wide as its widest cell; a
// text column keeps its rule's width, gives back what it does not need when the table is too narrow, then
// down to its least width (its texts are cut), and takes what it lacks from room to spare: the table's,
// what other text columns do not use, and two thirds of empty spacing columns. Texts give the last column
// first. A sum above `available` is left to scroll.
std::vector<int> fitColumns(const std::vector<ColumnNeed>& columns, int available);

}  // namespace vildo
