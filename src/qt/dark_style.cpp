#include "qt/dark_style.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace vildo::qt {

void applyDarkStyle(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
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
    app.setStyleSheet(
        "QToolTip { color: #e2e2e2; background-color: #3c3c40; border: 1px solid #6a6a70; padding: 3px; }"
        "QGroupBox { border: 1px solid #55555a; border-radius: 4px; margin-top: 1.1em; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }"
        // Flat button tabs.
        "QTabWidget::pane { border: 1px solid #4e4e54; border-radius: 3px; top: -1px; }"
        "QTabBar::tab { background: #38383c; color: #d6d6d6; border: 1px solid #4e4e54; border-radius: 4px;"
        "  padding: 4px 8px; margin: 0px 3px 3px 0px; }"
        "QTabBar::tab:selected { background: #2a82da; color: white; border-color: #3a92ea; }"
        "QTabBar::tab:hover:!selected { background: #45454b; }"
        "QTabBar::tab:disabled { color: #75757a; }");
}

QLocale swedishLocale() {
    QLocale l(QLocale::Swedish, QLocale::Sweden);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

}  // namespace vildo::qt
