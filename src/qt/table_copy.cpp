#include "qt/table_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTableWidget>
#include <algorithm>
#include <climits>

namespace vildo::qt {

namespace {

QString cellText(const QTableWidget& table, int row, int col) {
    static const QRegularExpression pointNumber(R"(^(-?\d+)\.(\d+)$)");
    const QTableWidgetItem* item = table.item(row, col);
    return item ? item->text().trimmed().replace(pointNumber, "\\1,\\2") : QString();
}

class CopyFilter : public QObject {
public:
    CopyFilter(QTableWidget* table, std::function<QPoint()> current)
        : QObject(table), table_(table), current_(std::move(current)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != table_ || event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        const QPoint at = current_ ? current_() : QPoint(table_->currentColumn(), table_->currentRow());
        QGuiApplication::clipboard()->setText(copiedCells(*table_, at));
        return true;
    }

private:
    QTableWidget* table_;
    std::function<QPoint()> current_;
};

}  // namespace

QString copiedCells(const QTableWidget& table, QPoint current) {
    const QModelIndexList selected =
        table.selectionModel() ? table.selectionModel()->selectedIndexes() : QModelIndexList();
    int top = 0, left = 0, bottom = table.rowCount() - 1, right = table.columnCount() - 1;
    if (!selected.isEmpty()) {
        top = left = INT_MAX;
        bottom = right = -1;
        for (const QModelIndex& i : selected) {
            top = std::min(top, i.row());
            bottom = std::max(bottom, i.row());
            left = std::min(left, i.column());
            right = std::max(right, i.column());
        }
    } else if (current.x() >= 0 && current.y() >= 0 && current.x() < table.columnCount() &&
               current.y() < table.rowCount()) {
        top = bottom = current.y();
        left = right = current.x();
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) {
            const bool taken = selected.isEmpty() || table.selectionModel()->isSelected(table.model()->index(r, c));
            cells << (taken ? cellText(table, r, c) : QString());
        }
        text += cells.join('\t') + '\n';
    }
    return text;
}

void copyCellsOnCtrlC(QTableWidget* table, std::function<QPoint()> current) {
    table->installEventFilter(new CopyFilter(table, std::move(current)));
}

}  // namespace vildo::qt
