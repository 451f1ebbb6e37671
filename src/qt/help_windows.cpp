#include "qt/help_windows.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/vildo.h"

namespace vildo::qt {

namespace {

struct HelpDesign {
    const char* caption;
    int width, height;
    int pointSize;  // 0: the window's font
};

constexpr HelpDesign kDesign[] = {
    {"Hjälp", 730, 537, 12},
    {"Ekosystemet", 474, 242, 0},
    {"Kvalitet", 447, 532, 0},
    {"Hälsa och dödlighet", 579, 556, 0},
};

void bringForward(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

AboutWindow::AboutWindow(const Vildo& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("TOm");
    setWindowTitle("Om Vildo...");
    setFixedSize(420, 294);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(18, 14, 18, 14);
    auto* title = new QLabel("Vildo AI ÄlgSim");
    QFont tf = title->font();
    tf.setPointSize(tf.pointSize() + 5);
    tf.setBold(true);
    title->setFont(tf);
    l->addWidget(title);
    auto* textLabel = new QLabel(aboutText());
    textLabel->setWordWrap(true);
    textLabel->setEnabled(false);  // read-only, as the rest of the window
    l->addWidget(textLabel);
    l->addStretch();
    auto* folders = new QLabel("Mappar");
    QFont bf = folders->font();
    bf.setBold(true);
    folders->setFont(bf);
    l->addWidget(folders);
    system_ = new QLabel();
    work_ = new QLabel();
    for (QLabel* f : {system_, work_}) {
        f->setWordWrap(true);
        f->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->addWidget(f);
    }
    system_->setObjectName("LSystemmapp");
    work_->setObjectName("LArbetsMapp");
}

void AboutWindow::showEvent(QShowEvent* event) {
    // The folders as they are now.
    system_->setText("Systemfiler: " + QString::fromStdString(app_.Paths.Appdata));
    work_->setText("Arbetsfiler: " + QString::fromStdString(app_.Paths.MyDocs));
    QWidget::showEvent(event);
}

HelpWindows::HelpWindows(const Vildo& app, QWidget* owner) {
    for (size_t i = 0; i < windows_.size(); ++i) {
        const HelpDesign& d = kDesign[i];
        auto* w = new QWidget(owner, Qt::Window);
        w->setWindowTitle(QString::fromUtf8(d.caption));
        w->resize(d.width, d.height);
        auto* l = new QVBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        auto* memo = new QPlainTextEdit(helpText(static_cast<HelpWindow>(i)));
        memo->setReadOnly(true);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (d.pointSize > 0) {
            QFont f = memo->font();
            f.setPointSize(d.pointSize);
            memo->setFont(f);
        }
        l->addWidget(memo);
        windows_[i] = w;
    }
    about_ = new AboutWindow(app, owner);
}

QWidget* HelpWindows::show(HelpWindow w) {
    QWidget* window = windows_[static_cast<size_t>(w)];
    if (window) bringForward(window);
    return window;
}

AboutWindow* HelpWindows::showAbout() {
    if (about_) bringForward(about_);
    return about_;
}

}  // namespace vildo::qt
