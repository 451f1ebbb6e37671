// The dark look of the program: Fusion with a dark palette, and the colours the charts share with it.
#pragma once
#include <QColor>
#include <QLocale>

class QApplication;

namespace vildo::qt {

void applyDarkStyle(QApplication& app);

// Numbers as Swedish users read them: decimal comma, and years without a group separator.
QLocale swedishLocale();

// A colour of the core (0xRRGGBB).
inline QColor rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

namespace palette {
inline const QColor kWindow{45, 45, 48};
inline const QColor kBase{30, 30, 32};
inline const QColor kAlternate{38, 38, 41};
inline const QColor kButton{58, 58, 62};
inline const QColor kText{226, 226, 226};
inline const QColor kDimText{150, 150, 150};
inline const QColor kHighlight{42, 130, 218};
inline const QColor kFixedCell{52, 52, 56};
inline const QColor kChartBackground{36, 36, 38};
inline const QColor kGridLine{70, 70, 74};
inline const QColor kAxisLine{120, 120, 124};
inline const QColor kAreaBlue{110, 170, 255};  // the area label: blue, readable on dark grey
}  // namespace palette

}  // namespace vildo::qt
