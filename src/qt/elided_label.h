// A label whose text, when its room is too narrow, ends in "…" instead of being cut, and shows in full as
// a tooltip.
#pragma once
#include <QLabel>

namespace vildo::qt {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // Whether a line of the text does not fit and ends in "…".
    bool isElided() const { return shownText() != text(); }
    // The text as painted: each line elided to the label's width. Word-wrapped labels are never elided.
    QString shownText() const;

    // Narrow enough for the layout to give way; the size hint keeps the whole text.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the text is painted: inside the margins, after the indent.
    QRect textRoom() const;
};

}  // namespace vildo::qt
