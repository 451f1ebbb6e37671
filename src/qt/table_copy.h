// What Ctrl+C takes away from a table: its selected cells as tab-separated text with decimal commas.
#pragma once
#include <QPoint>
#include <QString>
#include <functional>

class QTableWidget;

namespace vildo::qt {

// The bounding rectangle of the selected cells, those inside it not selected left empty; without a selection
// the cell `current` (column, row), or the whole table when that lies outside it. Each row ends in "\n"; a
// number another program wrote with a decimal point gets the comma the tables use.
QString copiedCells(const QTableWidget& table, QPoint current);

// Ctrl+C on `table` puts copiedCells on the clipboard, with the cell `current` gives (by default Qt's current
// cell), instead of the current cell alone.
void copyCellsOnCtrlC(QTableWidget* table, std::function<QPoint()> current = {});

}  // namespace vildo::qt
