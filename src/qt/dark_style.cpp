#include "qt/dark_style.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTab>

namespace vildo::qt {

namespace {

// Fusion, with the page tabs drawn as flat rounded buttons. Drawn rather than style-sheeted: a style sheet
// would stop the window's font from reaching its controls (large text) and slow every paint.
class FlatTabsStyle : public QProxyStyle {
public:
    FlatTabsStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_TabBarTabShape) {
            if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
                const bool selected = tab->state & State_Selected;
                const bool hover = (tab->state & State_MouseOver) && (tab->state & State_Enabled);
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing);
                painter->setPen(selected ? palette::kHighlight.lighter(115) : QColor(78, 78, 84));
                painter->setBrush(selected ? palette::kHighlight : hover ? QColor(69, 69, 75) : QColor(56, 56, 60));
                painter->drawRoundedRect(QRectF(tab->rect).adjusted(1.5, 2.5, -2.5, -3.5), 4, 4);
                painter->restore();
                return;
            }
        }
        if (element == CE_TabBarTabLabel) {
            if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
                tab && (tab->state & State_Selected)) {
                QStyleOptionTab bright = *tab;
                bright.palette.setColor(QPalette::WindowText, Qt::white);
                QProxyStyle::drawControl(element, &bright, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameTabBarBase) return;
        if (element == PE_FrameTabWidget) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(QColor(78, 78, 84));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_TabBarTab) s += QSize(0, 6);
        return s;
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabOverlap || metric == PM_TabBarBaseOverlap) return 0;
        if (metric == PM_TabBarTabHSpace) return 16;  // six tabs share half the window
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

void applyDarkStyle(QApplication& app) {
    app.setStyle(new FlatTabsStyle());
    using namespace palette;
    QPalette p;
    p.setColor(QPalette::Window, kWindow);
    p.setColor(QPalette::WindowText, kText);
    p.setColor(QPalette::Base, kBase);
    p.setColor(QPalette::AlternateBase, kAlternate);
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, kText);
    p.setColor(QPalette::PlaceholderText, kDimText);
    p.setColor(QPalette::Text, kText);
    p.setColor(QPalette::Button, kButton);
    p.setColor(QPalette::ButtonText, kText);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, kHighlight);
    p.setColor(QPalette::Highlight, kHighlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, QColor(80, 80, 84));
    p.setColor(QPalette::Midlight, QColor(66, 66, 70));
    p.setColor(QPalette::Mid, QColor(40, 40, 42));
    p.setColor(QPalette::Dark, QColor(24, 24, 26));
    p.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(115, 115, 118));
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(48, 48, 51));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(70, 70, 74));
    app.setPalette(p);
}

QLocale swedishLocale() {
    QLocale l(QLocale::Swedish, QLocale::Sweden);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

}  // namespace vildo::qt
