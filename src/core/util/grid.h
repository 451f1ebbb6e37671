// String grids as data: cell texts, selection, enabled flag and the cells the view paints red.
#pragma once
#include <string>
#include <vector>

#include "util/errors.h"

namespace vildo {

struct Grid {
    Grid() = default;
    Grid(int cols, int rows) { resize(cols, rows); }

    int colCount = 0, rowCount = 0;
    int fixedCols = 0, fixedRows = 0;
    int selCol = -1, selRow = -1;  // -1: no cell highlighted
    bool enabled = true;
    bool visible = true;
    bool editable = false;
    std::vector<std::string> cells;  // column-major: cells[col * rowCount + row]
    std::vector<bool> red;           // cells whose text the view paints red

    void resize(int cols, int rows) {
        colCount = cols;
        rowCount = rows;
        cells.assign(static_cast<size_t>(cols) * rows, {});
        red.assign(static_cast<size_t>(cols) * rows, false);
    }
    // The toolkit's grids raise this text for a cell outside the grid; the global handler passes it over.
    size_t index(int col, int row) const {
        if (col < 0 || row < 0 || col >= colCount || row >= rowCount) throw VildoError("Grid index out of range");
        return static_cast<size_t>(col) * rowCount + row;
    }
    std::string& cell(int col, int row) { return cells[index(col, row)]; }
    const std::string& cell(int col, int row) const { return cells[index(col, row)]; }
    void setRed(int col, int row, bool on) { red[index(col, row)] = on; }
    bool isRed(int col, int row) const { return red[index(col, row)]; }
    void clearSelection() { selCol = selRow = -1; }
};

}  // namespace vildo
