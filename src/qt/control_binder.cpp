#include "qt/control_binder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/vildo.h"
#include "qt/elided_label.h"

namespace vildo::qt {

namespace {

// Captions break lines with "\r\n" (or a lone "\r").
QString qs(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}

template <class W, class F>
void setIfChanged(W* w, const F& current, const F& wanted, void (W::*setter)(const F&)) {
    if (current != wanted) (w->*setter)(wanted);
}

}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(22, 13);
        b->setFocusPolicy(Qt::NoFocus);
        l->addWidget(b);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

ControlBinder::ControlBinder(Vildo& app, Runner run) : app_(app), run_(std::move(run)) {}

void ControlBinder::bind(C id, QWidget* w) {
    widgets_[static_cast<size_t>(id)] = w;
    w->setObjectName(QString::fromUtf8(app_.ctl(id).name.data(), static_cast<int>(app_.ctl(id).name.size())));
}

QSlider* ControlBinder::trackBar(C id) {
    auto* s = new QSlider(Qt::Horizontal);
    const Control& c = app_.ctl(id);
    s->setRange(c.min, c.max);
    s->setSingleStep(c.step);
    s->setPageStep(std::max(1, (c.max - c.min) / 10));
    s->setValue(c.position);
    QObject::connect(s, &QSlider::valueChanged, s, [this, id](int v) { run_([&] { setPosition(app_, id, v); }); });
    bind(id, s);
    return s;
}

SpinArrows* ControlBinder::upDown(C id) {
    auto* a = new SpinArrows();
    QObject::connect(a->up(), &QToolButton::clicked, a,
                     [this, id] { run_([&] { setPosition(app_, id, app_.pos(id) + app_.ctl(id).step); }); });
    QObject::connect(a->down(), &QToolButton::clicked, a,
                     [this, id] { run_([&] { setPosition(app_, id, app_.pos(id) - app_.ctl(id).step); }); });
    bind(id, a);
    return a;
}

SpinArrows* ControlBinder::spinButton(C id, std::function<void()> up, std::function<void()> down) {
    auto* a = new SpinArrows();
    // Without handlers the arrows stay inert.
    if (up) QObject::connect(a->up(), &QToolButton::clicked, a, [this, up] { run_(up); });
    if (down) QObject::connect(a->down(), &QToolButton::clicked, a, [this, down] { run_(down); });
    bind(id, a);
    return a;
}

QCheckBox* ControlBinder::checkBox(C id, std::function<void()> onClick) {
    auto* b = new QCheckBox();
    if (!onClick) onClick = [this, id] { click(app_, id); };
    // The core decides the new state; the refresh afterwards shows it.
    QObject::connect(b, &QCheckBox::clicked, b, [this, onClick] { run_(onClick); });
    bind(id, b);
    return b;
}

QLabel* ControlBinder::label(C id) {
    auto* l = new ElidedLabel();
    bind(id, l);
    return l;
}

QPushButton* ControlBinder::button(C id, std::function<void()> onClick) {
    auto* b = new QPushButton();
    if (onClick) QObject::connect(b, &QPushButton::clicked, b, [this, onClick] { run_(onClick); });
    bind(id, b);
    return b;
}

namespace {

// A large filled arrow for the year buttons, in the text colour (dimmed when disabled).
QIcon arrowIcon(Qt::ArrowType arrow) {
    QIcon icon;
    for (auto [mode, colour] :
         {std::pair{QIcon::Normal, QColor(235, 235, 235)}, std::pair{QIcon::Disabled, QColor(110, 110, 110)}}) {
        QPixmap pm(48, 48);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        const QPolygonF right{QPointF(14, 8), QPointF(38, 24), QPointF(14, 40)};
        const QPolygonF left{QPointF(34, 8), QPointF(10, 24), QPointF(34, 40)};
        p.drawPolygon(arrow == Qt::LeftArrow ? left : right);
        icon.addPixmap(pm, mode);
    }
    return icon;
}

}  // namespace

QToolButton* ControlBinder::arrowButton(C id, Qt::ArrowType arrow, std::function<void()> onClick) {
    auto* b = new QToolButton();
    b->setIcon(arrowIcon(arrow));
    b->setIconSize(QSize(26, 26));
    b->setMinimumSize(56, 44);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QToolButton::clicked, b, [this, onClick] { run_(onClick); });
    bind(id, b);
    return b;
}

QComboBox* ControlBinder::combo(C id) {
    auto* b = new QComboBox();
    QObject::connect(b, &QComboBox::currentIndexChanged, b,
                     [this, id](int index) { run_([&] { setPosition(app_, id, index); }); });
    bind(id, b);
    return b;
}

QLineEdit* ControlBinder::edit(C id) {
    auto* e = new QLineEdit();
    QObject::connect(e, &QLineEdit::textEdited, e,
                     [this, id](const QString& t) { app_.ctl(id).caption = t.toStdString(); });
    bind(id, e);
    return e;
}

QGroupBox* ControlBinder::group(C id) {
    auto* g = new QGroupBox();
    bind(id, g);
    return g;
}

QWidget* ControlBinder::panel(C id, QWidget* widget) {
    bind(id, widget);
    return widget;
}

QAction* ControlBinder::action(C id, QMenu* menu, std::function<void()> onTrigger) {
    const Control& c = app_.ctl(id);
    auto* a = menu->addAction(qs(c.caption));
    a->setCheckable(c.max > 0);
    if (!onTrigger) onTrigger = [this, id] { click(app_, id); };
    QObject::connect(a, &QAction::triggered, a, [this, onTrigger] { run_(onTrigger); });
    actions_[static_cast<size_t>(id)] = a;
    a->setObjectName(QString::fromUtf8(c.name.data(), static_cast<int>(c.name.size())));
    return a;
}

void ControlBinder::tab(C id, QTabWidget* tabs, QWidget* page) {
    tabs->addTab(page, qs(app_.ctl(id).caption));
    tabSets_[static_cast<size_t>(id)] = tabs;
    bind(id, page);
}

void ControlBinder::refresh() {
    for (int i = 0; i < kControlCount; ++i) {
        const Control& c = app_.controls[static_cast<size_t>(i)];
        if (QAction* a = actions_[static_cast<size_t>(i)]) {
            const QSignalBlocker block(a);
            if (a->text() != qs(c.caption)) a->setText(qs(c.caption));
            if (a->isCheckable() && a->isChecked() != c.checked()) a->setChecked(c.checked());
            if (a->isEnabled() != c.enabled) a->setEnabled(c.enabled);
            if (a->isVisible() != c.visible) a->setVisible(c.visible);
            continue;
        }
        QWidget* w = widgets_[static_cast<size_t>(i)];
        if (!w) continue;
        const QString caption = qs(c.caption), hint = qs(c.hint);
        if (QTabWidget* tabs = tabSets_[static_cast<size_t>(i)]) {
            const int index = tabs->indexOf(w);
            if (tabs->tabText(index) != caption) tabs->setTabText(index, caption);
            if (tabs->isTabVisible(index) != c.visible) {
                // Hiding the current tab makes Qt choose another; that is no user's choice of a page, and
                // the window shows the core's page right after.
                const QSignalBlocker block(tabs);
                tabs->setTabVisible(index, c.visible);
            }
            if (tabs->tabToolTip(index) != hint) tabs->setTabToolTip(index, hint);
            if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
            continue;
        }
        if (w->toolTip() != hint) w->setToolTip(hint);
        if (w->isHidden() == c.visible) w->setVisible(c.visible);
        if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
        const QSignalBlocker block(w);
        if (auto* s = qobject_cast<QSlider*>(w)) {
            if (s->value() != c.position) s->setValue(c.position);
        } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
            setIfChanged<QAbstractButton, QString>(b, b->text(), caption, &QAbstractButton::setText);
            if (b->isChecked() != c.checked()) b->setChecked(c.checked());
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            setIfChanged<QLabel, QString>(l, l->text(), caption, &QLabel::setText);
        } else if (auto* p = qobject_cast<QPushButton*>(w)) {
            setIfChanged<QAbstractButton, QString>(p, p->text(), caption, &QAbstractButton::setText);
        } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
            QStringList items;
            for (const std::string& s : c.items) items << qs(s);
            QStringList current;
            for (int k = 0; k < cb->count(); ++k) current << cb->itemText(k);
            if (current != items) {
                cb->clear();
                cb->addItems(items);
            }
            if (cb->currentIndex() != c.position) cb->setCurrentIndex(c.position);
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (!e->hasFocus()) setIfChanged<QLineEdit, QString>(e, e->text(), caption, &QLineEdit::setText);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            setIfChanged<QGroupBox, QString>(g, g->title(), caption, &QGroupBox::setTitle);
        }
    }
}

}  // namespace vildo::qt
