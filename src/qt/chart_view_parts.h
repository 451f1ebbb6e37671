// What the chart view's files share: the sizes of what it draws over the plot, and its text and band helpers.
#pragma once
#include <QColor>
#include <QString>
#include <string>

namespace vildo::qt {

constexpr int kFooterLine = 17;                     // a footer's line height
constexpr int kLegendSwatch = 18, kLegendGap = 12;  // a legend entry's sample and the room between entries

// A core text with its line breaks as Qt draws them.
inline QString text(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace("\r\n", "\n");
    return t;
}

// A band's fill: its colour, translucent so that the lines and the grid show through.
inline QColor bandFill(QColor colour) {
    colour.setAlpha(80);
    return colour;
}

}  // namespace vildo::qt
