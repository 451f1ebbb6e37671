// The widgets of the window's named controls: each is made from the core's control, forwards the user's
// change to the core's handler, and takes caption, hint, visibility, enabled flag and position back.
#pragma once
#include <QWidget>
#include <array>
#include <functional>

#include "model/controls.h"
#include "qt/chart_view.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;

namespace vildo {

struct Vildo;

namespace qt {

// A pair of small arrow buttons: the up-downs and the spin buttons.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

private:
    QToolButton* up_;
    QToolButton* down_;
};

class ControlBinder {
public:
    ControlBinder(Vildo& app, Runner run);

    QSlider* trackBar(C id);
    SpinArrows* upDown(C id);
    SpinArrows* spinButton(C id, std::function<void()> up, std::function<void()> down);
    // A check box whose click toggles the core's control; `click` replaces that when given.
    QCheckBox* checkBox(C id, std::function<void()> click = {});
    QLabel* label(C id);
    QPushButton* button(C id, std::function<void()> onClick);
    QToolButton* arrowButton(C id, Qt::ArrowType arrow, std::function<void()> onClick);
    QComboBox* combo(C id);
    QLineEdit* edit(C id);
    QGroupBox* group(C id);
    // A panel: only its visibility and enabled flag follow the control.
    QWidget* panel(C id, QWidget* widget);
    // A menu item; checkable items toggle through the core, others run `onTrigger`.
    QAction* action(C id, QMenu* menu, std::function<void()> onTrigger = {});
    void tab(C id, QTabWidget* tabs, QWidget* page);

    void refresh();

    QWidget* widget(C id) const { return widgets_[static_cast<size_t>(id)]; }
    QAction* actionOf(C id) const { return actions_[static_cast<size_t>(id)]; }

private:
    void bind(C id, QWidget* w);

    Vildo& app_;
    Runner run_;
    std::array<QWidget*, kControlCount> widgets_{};
    std::array<QAction*, kControlCount> actions_{};
    std::array<QTabWidget*, kControlCount> tabSets_{};
};

}  // namespace qt
}  // namespace vildo
