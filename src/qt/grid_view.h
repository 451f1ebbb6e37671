// A string grid of the window: shows the core's grid (fixed cells, the highlighted cell, red cells) and
// hands selections, typed keys and edited texts to the core's handlers.
#pragma once
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "util/grid.h"

namespace vildo::qt {

// What the core decides for a grid; a grid without hooks only shows its cells.
struct GridHooks {
    // Whether the cell may be selected; may act itself (the rule table does).
    std::function<bool(int col, int row)> selectCell;
    // The key as the grid takes it (8 backspace, 13 Enter); 0 drops it.
    std::function<char(char key)> keyPress;
    // Each change of the text of the cell being edited.
    std::function<void(int col, int row, const std::string& text)> editText;
};

class GridView : public QTableWidget {
    Q_OBJECT
public:
    GridView(Grid& grid, GridHooks hooks, QWidget* parent = nullptr);

    // Brings the cells in line with the core's grid.
    void refresh();
    Grid& grid() { return grid_; }
    // Opens the editor on a cell the core lets the user select; false when it does not.
    bool beginEdit(int col, int row);
    // The editor of the cell being edited, if any.
    QWidget* editor() const;

    // Sizes as the resize rules set them: a default, then single columns and rows.
    void setDefaultColumnWidth(int w);
    void setDefaultRowHeight(int h);
    // The resize rule of this grid: column widths and row heights from its size.
    void setSizeRule(std::function<void(GridView&)> rule) { sizeRule_ = std::move(rule); }

    // What Ctrl+C puts on the clipboard: the selected cells; without a selection the highlighted cell, or the
    // whole table when none is (see copiedCells).
    QString copyText() const;

    // Keeps the first column (a year table's row labels) in view while the rest scrolls under it.
    void freezeFirstColumn();
    // The view that shows the frozen column over the table's left edge, if any.
    QTableView* frozenColumn() const { return frozen_; }

    // The widths the size rule gave, before the texts were fitted.
    const std::vector<int>& ruleWidths() const { return ruleWidths_; }

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void cellPressed(int row, int col);
    QPoint highlighted() const { return QPoint(grid_.selCol, grid_.selRow); }
    // Widens the number columns to their widest text, lets text columns give way or take spare room, and
    // gives every cut text its full text as a tooltip. The table scrolls what does not fit.
    void fitTexts();
    // Scrolls the current year's column into view when the table is wider than its room.
    void showCurrentColumn();
    // Scrolls column `col` into the room right of the frozen column.
    void showColumn(int col);
    void placeFrozenColumn();

    Grid& grid_;
    GridHooks hooks_;
    std::function<void(GridView&)> sizeRule_;
    std::vector<int> ruleWidths_;
    int editCol_ = -1, editRow_ = -1;
    int shownCol_ = -1;  // the highlighted column when the table last scrolled to its current year
    QTableView* frozen_ = nullptr;
    friend class GridDelegate;
};

}  // namespace vildo::qt
