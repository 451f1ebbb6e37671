#include "qt/elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace vildo::qt {

namespace {

// The characters a label keeps before it ends in "…".
constexpr int kLeastCharacters = 4;

}  // namespace

QRect ElidedLabel::textRoom() const {
    const int m = margin(), in = std::max(0, indent());
    return contentsRect().adjusted(m + in, m, -m, -m);
}

QString ElidedLabel::shownText() const {
    if (wordWrap() || text().isEmpty()) return text();
    const QFontMetrics fm(font());
    const int room = textRoom().width();
    QStringList lines = text().split('\n');
    for (QString& line : lines) line = fm.elidedText(line, Qt::ElideRight, std::max(room, 0));
    return lines.join('\n');
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize full = QLabel::minimumSizeHint();
    if (wordWrap()) return full;
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const int least = fm.horizontalAdvance(text().left(kLeastCharacters) + QString::fromUtf8("…")) + m.left() +
                      m.right() + 2 * margin() + std::max(0, indent());
    return QSize(std::min(full.width(), least), full.height());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) return QLabel::paintEvent(event);
    QPainter p(this);
    drawFrame(&p);
    style()->drawItemText(&p, textRoom(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && isElided()) {
        // The whole text first, then the label's own tooltip if it has one.
        const QString tip = toolTip().isEmpty() ? text() : text() + "\n\n" + toolTip();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        return true;
    }
    return QLabel::event(event);
}

}  // namespace vildo::qt
