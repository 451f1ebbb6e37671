#include "qt/grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include "qt/dark_style.h"
#include "qt/table_copy.h"
#include "ui/grid_layout.h"

namespace vildo::qt {

namespace {

// The character a key gives the grid's key handler, or -1 for keys that type nothing (arrows, F-keys).
int keyChar(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return 8;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
    const QString t = e->text();
    if (t.isEmpty() || t[0].unicode() < 32 || t[0].unicode() == 127) return -1;
    // Outside ASCII: never a digit or a comma, so every filter drops it.
    return t[0].unicode() < 128 ? t[0].toLatin1() : 1;
}

}  // namespace

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridView* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* e = new QLineEdit(parent);
        e->setFrame(false);
        e->installEventFilter(const_cast<GridDelegate*>(this));
        connect(e, &QLineEdit::textEdited, grid_, [this](const QString& text) {
            if (grid_->hooks_.editText) grid_->hooks_.editText(grid_->editCol_, grid_->editRow_, text.toStdString());
        });
        return e;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        // The grid holds what was typed; the core's handlers have seen each change already.
        const std::string text = static_cast<QLineEdit*>(editor)->text().toStdString();
        Grid& g = grid_->grid_;
        if (index.column() < g.colCount && index.row() < g.rowCount) g.cell(index.column(), index.row()) = text;
        grid_->refresh();
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        o.state &= ~QStyle::State_HasFocus;  // the highlighted cell is the core's, not Qt's current item
        QStyledItemDelegate::paint(p, o, index);
    }

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyPress && grid_->hooks_.keyPress) {
            const int c = keyChar(static_cast<QKeyEvent*>(ev));
            if (c >= 0 && grid_->hooks_.keyPress(static_cast<char>(c)) == 0) return true;
        }
        return QStyledItemDelegate::eventFilter(obj, ev);
    }

private:
    GridView* grid_;
};

GridView::GridView(Grid& grid, GridHooks hooks, QWidget* parent)
    : QTableWidget(parent), grid_(grid), hooks_(std::move(hooks)) {
    setColumnCount(grid.colCount);
    setRowCount(grid.rowCount);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setMinimumSectionSize(4);
    // Qt's selection is what Ctrl+C copies; the highlighted cell stays the core's.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // What does not fit scrolls rather than being cut.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setGridStyle(Qt::SolidLine);
    setItemDelegate(new GridDelegate(this));
    for (int r = 0; r < grid.rowCount; ++r)
        for (int c = 0; c < grid.colCount; ++c) {
            auto* item = new QTableWidgetItem();
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                           (grid.editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
            setItem(r, c, item);
        }
    connect(this, &QTableWidget::cellPressed, this, &GridView::cellPressed);
    copyCellsOnCtrlC(this, [this] { return highlighted(); });
    refresh();
}

void GridView::refresh() {
    const QColor fixedBg = palette::kFixedCell, normalBg = palette::kBase;
    bool changed = false;
    for (int r = 0; r < grid_.rowCount && r < rowCount(); ++r)
        for (int c = 0; c < grid_.colCount && c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            const QString t = QString::fromStdString(grid_.cells[static_cast<size_t>(c) * grid_.rowCount + r]);
            if (it->text() != t) {
                it->setText(t);
                changed = true;
            }
            const bool fixed = c < grid_.fixedCols || r < grid_.fixedRows;
            const bool selected = c == grid_.selCol && r == grid_.selRow;
            const QColor bg = selected ? palette::kHighlight.darker(130) : fixed ? fixedBg : normalBg;
            if (it->background().color() != bg) it->setBackground(bg);
            const QColor fg =
                grid_.red[static_cast<size_t>(c) * grid_.rowCount + r] ? QColor(255, 80, 80) : palette::kText;
            if (it->foreground().color() != fg) it->setForeground(fg);
        }
    if (isEnabled() != grid_.enabled) setEnabled(grid_.enabled);
    if (isHidden() == grid_.visible) setVisible(grid_.visible);
    if (changed) fitTexts();
    // New texts, or a highlight moved to another column: the current year comes into view.
    if (changed || grid_.selCol != shownCol_) {
        shownCol_ = grid_.selCol;
        showCurrentColumn();
    }
}

void GridView::showCurrentColumn() {
    // The highlighted cell's column, else the last one with a heading: a year table's current year.
    int col = grid_.selCol;
    for (int c = grid_.colCount - 1; col < 0 && c >= 0; --c)
        if (!grid_.cell(c, 0).empty()) col = c;
    showColumn(col);
}

void GridView::showColumn(int col) {
    if (col < 0 || col >= columnCount() || (frozen_ && col == 0)) return;
    updateGeometries();  // the scroll bar's range for the widths just set, not the last layout's
    QScrollBar* bar = horizontalScrollBar();
    const int left = frozen_ ? columnWidth(0) : 0;
    const int x = columnViewportPosition(col), w = columnWidth(col), room = viewport()->width();
    if (x < left)
        bar->setValue(bar->value() + x - left);
    else if (x + w > room)
        bar->setValue(bar->value() + x + w - room);
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!frozen_) return QTableWidget::scrollTo(index, hint);
    // Across: clear of the frozen column; down: as any table.
    const int value = horizontalScrollBar()->value();
    QTableWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(value);
    showColumn(index.column());
}

void GridView::freezeFirstColumn() {
    if (frozen_) return;
    frozen_ = new QTableView(this);
    frozen_->setObjectName("frozenColumn");
    frozen_->setModel(model());
    frozen_->setSelectionModel(selectionModel());
    frozen_->setItemDelegate(itemDelegate());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setWordWrap(false);
    frozen_->setShowGrid(showGrid());
    frozen_->setGridStyle(gridStyle());
    frozen_->horizontalHeader()->hide();
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(verticalScrollMode());
    for (int c = 1; c < columnCount(); ++c) frozen_->setColumnHidden(c, true);
    for (int r = 0; r < rowCount(); ++r) frozen_->setRowHeight(r, rowHeight(r));
    // Over the cells that scroll under it.
    viewport()->stackUnder(frozen_);
    connect(frozen_, &QTableView::pressed, this, [this](const QModelIndex& i) { cellPressed(i.row(), i.column()); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int w) {
        if (col != 0) return;
        frozen_->setColumnWidth(0, w);
        placeFrozenColumn();
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int h) { frozen_->setRowHeight(row, h); });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    placeFrozenColumn();
    frozen_->show();
}

void GridView::placeFrozenColumn() {
    if (!frozen_) return;
    frozen_->setColumnWidth(0, columnWidth(0));
    const QRect room = viewport()->geometry();
    frozen_->setGeometry(room.left(), room.top(), columnWidth(0), room.height());
}

void GridView::fitTexts() {
    if (ruleWidths_.size() != static_cast<size_t>(columnCount())) {
        ruleWidths_.clear();
        for (int c = 0; c < columnCount(); ++c) ruleWidths_.push_back(columnWidth(c));
    }
    const QFontMetrics fm(font());
    // The cell's text margins on both sides and the grid line.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    const std::vector<bool> numbers = numberColumns(grid_);
    const int least = 10 * fm.averageCharWidth() + margin;  // a text cut shorter than this says nothing
    std::vector<ColumnNeed> need;
    std::vector<std::vector<int>> textWidths(static_cast<size_t>(columnCount()));
    for (int c = 0; c < columnCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < rowCount(); ++r) {
            const int w = item(r, c)->text().isEmpty() ? 0 : fm.horizontalAdvance(item(r, c)->text()) + margin;
            textWidths[static_cast<size_t>(c)].push_back(w);
            widest = std::max(widest, w);
        }
        need.push_back({ruleWidths_[static_cast<size_t>(c)], widest, numbers[static_cast<size_t>(c)], least});
    }
    const std::vector<int> widths = fitColumns(need, viewport()->width());
    for (int c = 0; c < columnCount(); ++c) {
        const int w = widths[static_cast<size_t>(c)];
        if (columnWidth(c) != w) setColumnWidth(c, w);
        for (int r = 0; r < rowCount(); ++r) {
            QTableWidgetItem* it = item(r, c);
            const QString tip = textWidths[static_cast<size_t>(c)][static_cast<size_t>(r)] > w ? it->text() : QString();
            if (it->toolTip() != tip) it->setToolTip(tip);
        }
    }
    // A row never lower than its text.
    const int lowest = fm.height() + 2;
    for (int r = 0; r < rowCount(); ++r)
        if (rowHeight(r) < lowest) setRowHeight(r, lowest);
}

bool GridView::beginEdit(int col, int row) {
    if (!hooks_.selectCell || !hooks_.selectCell(col, row)) return false;
    grid_.selCol = col;
    grid_.selRow = row;
    refresh();
    if (!grid_.editable) return true;
    editCol_ = col;
    editRow_ = row;
    setCurrentCell(row, col);
    editItem(item(row, col));
    return true;
}

QWidget* GridView::editor() const {
    if (editRow_ < 0 || editCol_ < 0) return nullptr;
    return indexWidget(model()->index(editRow_, editCol_));
}

QString GridView::copyText() const { return copiedCells(*this, highlighted()); }

void GridView::cellPressed(int row, int col) {
    if (!isEnabled()) return;
    beginEdit(col, row);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    if (sizeRule_) {
        sizeRule_(*this);
        ruleWidths_.clear();
        for (int c = 0; c < columnCount(); ++c) ruleWidths_.push_back(columnWidth(c));
    }
    fitTexts();
    // Once the scroll bar knows the new room.
    QTimer::singleShot(0, this, &GridView::showCurrentColumn);
}

bool GridView::viewportEvent(QEvent* event) {
    // The room changes with the scroll bars too, not only with the table's size.
    if (event->type() == QEvent::Resize) placeFrozenColumn();
    return QTableWidget::viewportEvent(event);
}

void GridView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitTexts();
}

void GridView::setDefaultColumnWidth(int w) {
    horizontalHeader()->setDefaultSectionSize(std::max(4, w));
    for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, std::max(4, w));
}

void GridView::setDefaultRowHeight(int h) {
    verticalHeader()->setDefaultSectionSize(std::max(4, h));
    for (int r = 0; r < rowCount(); ++r) setRowHeight(r, std::max(4, h));
}

}  // namespace vildo::qt
