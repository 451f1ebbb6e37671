// The right page set: the hunt, land use, reproduction, carcass weights, other mortality and predators.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/goal_handlers.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "hunt/goals.h"
#include "qt/grid_view.h"
#include "qt/help_windows.h"
#include "qt/main_window.h"
#include "ui/info_dialog.h"

namespace vildo::qt {

namespace {

const char* const kPredationHelp =
    "Älgpredation av varg sker året runt. Sommartid sker 90 procent av predationen på kalv. Resten på vuxna. "
    "Vintertid är kalvpredationen 70 procent, resten är vuxna. Det finns än så länge ingen annan ålders eller "
    "könsdifferentiering.\r\n\r\nEndast vuxna björnar fäller älg och då endast älgkalvar under sommaren. Hela "
    "björnstammen ska anges i grafen. Vildo räknar sedan att hälften av björnstammen består av vuxna individer. ";

const char* const kMortalityHelp =
    "Här ställer man värdet för övrig dödlighet. Då älgstammen närmar sig bärkraftsnivån kommer dödligheten öka "
    "oavsett vad man ställt in här. Detta för att inte få orimligt låg dödlighet vid en hög älgtäthet. ";

QBoxLayout* box(QBoxLayout* l, int margin = 6, int spacing = 4) {
    l->setContentsMargins(margin, margin, margin, margin);
    l->setSpacing(spacing);
    return l;
}

QPushButton* helpButton(QPushButton* b) {
    b->setFixedSize(28, 26);
    return b;
}

}  // namespace

QWidget* MainWindow::buildHuntPage() {
    auto* page = new QWidget();
    auto* row = box(new QHBoxLayout(page));

    auto* strip = new QWidget();
    strip->setObjectName("Panel12");
    strip->setFixedWidth(85);
    auto* sg = new QGridLayout(strip);
    sg->setContentsMargins(0, 0, 0, 0);
    sg->setSpacing(4);
    QToolButton* back = controls_.arrowButton(C::SpeedButton2, Qt::LeftArrow, [this] { SpeedButton2Click(app_); });
    QToolButton* next = controls_.arrowButton(C::SpeedButton1, Qt::RightArrow, [this] { SpeedButton1Click(app_); });
    for (QToolButton* b : {back, next}) b->setMinimumSize(40, 44);
    sg->addWidget(back, 0, 0);
    sg->addWidget(next, 0, 1);
    QPushButton* reset = controls_.button(C::btn_rensa, [this] { btn_rensaClick(app_); });
    reset->setMinimumHeight(30);
    sg->addWidget(reset, 1, 0, 1, 2);
    sg->setRowStretch(2, 1);
    row->addWidget(strip);

    auto* panel8 = new QWidget();
    panel8->setObjectName("Panel8");
    auto* pl = box(new QVBoxLayout(panel8), 0, 4);
    auto* group9 = new QGroupBox();
    group9->setObjectName("GroupBox9");
    auto* g = new QGridLayout(group9);
    g->setContentsMargins(8, 4, 8, 4);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);
    const struct {
        C label, value, spin;
        void (*up)(Vildo&);
        void (*down)(Vildo&);
    } rows[] = {
        {C::Label3, C::LSpinn_Avskjutning, C::SpinButton1, SpinButton1UpClick, SpinButton1DownClick},
        {C::Label6, C::LSpinn_Kalvandel, C::SpinButton3, SpinButton3UpClick, SpinButton3DownClick},
        {C::Label5, C::LSpinn_Tjurandel, C::SpinButton2, SpinButton2UpClick, SpinButton2DownClick},
    };
    int r = 0;
    for (const auto& spin : rows) {
        g->addWidget(controls_.label(spin.label), r, 0);
        QLabel* value = controls_.label(spin.value);
        value->setMinimumWidth(48);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(value, r, 1);
        auto up = spin.up, down = spin.down;
        g->addWidget(controls_.spinButton(
                         spin.spin, [this, up] { up(app_); }, [this, down] { down(app_); }),
                     r, 2);
        ++r;
    }
    // "Historiska data" asks the core first whether it may change.
    QCheckBox* historic = controls_.checkBox(C::chk_stats, [this] {
        if (chk_statsMouseDown(app_)) click(app_, C::chk_stats);
    });
    g->addWidget(controls_.checkBox(C::chk_kvotering), 0, 4);
    g->addWidget(historic, 1, 4);
    g->addWidget(controls_.checkBox(C::chk_save), 0, 5);
    g->addWidget(controls_.checkBox(C::chk_biodata), 1, 5);
    g->setColumnMinimumWidth(3, 16);
    g->setColumnStretch(6, 1);
    pl->addWidget(group9);

    GridHooks plan;
    plan.selectCell = [this](int col, int r2) {
        bool ok = false;
        run([&] { ok = StringGrid2SelectCell(app_, col, r2); });
        return ok;
    };
    plan.keyPress = StringGrid2KeyPress;
    plan.editText = [this](int col, int r2, const std::string& text) {
        run([&] { StringGrid2SetEditText(app_, col, r2, text); });
    };
    GridView* seasons = makeGrid(app_.StringGrid2, plan, [](GridView& v) {
        const int w = v.viewport()->width(), h = v.height();
        const int d = w / 10;
        v.setDefaultColumnWidth(d);
        v.setColumnWidth(0, 3 * d - 5);
        const int rowH = h / 14;
        v.setDefaultRowHeight(rowH);
        v.setRowHeight(0, h % 14 + rowH + 4);
    });
    seasons->freezeFirstColumn();
    pl->addWidget(seasons, 1);
    row->addWidget(panel8, 1);
    return page;
}

QWidget* MainWindow::buildLandUsePage() {
    auto* page = new QWidget();
    auto* l = box(new QVBoxLayout(page), 4);
    l->addWidget(makeChart(3), 1);
    QWidget* panel7 = controls_.panel(C::Panel7, new QWidget());
    auto* row = box(new QHBoxLayout(panel7), 0, 6);

    QGroupBox* areas = controls_.group(C::GroupBox4);
    auto* ag = new QGridLayout(areas);
    ag->addWidget(controls_.label(C::LUngskogsareal), 0, 0);
    ag->addWidget(helpButton(controls_.button(C::Button2, [this] { help_->show(HelpWindow::Ekosystemet); })), 0, 1,
                  Qt::AlignRight);
    ag->addWidget(controls_.trackBar(C::trk_ungskog), 1, 0, 1, 2);
    ag->addWidget(controls_.label(C::LUnskogskonstant), 2, 0, 1, 2);
    ag->addWidget(controls_.trackBar(C::Trk_ungskogskonstant), 3, 0, 1, 2);
    ag->addWidget(controls_.trackBar(C::trk_impediment), 4, 0, 1, 2);
    row->addWidget(areas, 1);

    QGroupBox* quality = controls_.group(C::GroupBox5);
    auto* qg = new QGridLayout(quality);
    qg->addWidget(controls_.label(C::LBarkraftovrigmark), 0, 0);
    qg->addWidget(helpButton(controls_.button(C::Button3, [this] { help_->show(HelpWindow::Kvalitet); })), 0, 1,
                  Qt::AlignRight);
    qg->addWidget(controls_.trackBar(C::Trk_barkraftovrig), 1, 0, 1, 2);
    qg->addWidget(controls_.label(C::LAlgbonitetChange), 2, 0, 1, 2);
    row->addWidget(quality, 1);
    l->addWidget(panel7);
    return page;
}

QWidget* MainWindow::buildReproductionPage() {
    auto* page = new QWidget();
    auto* l = box(new QVBoxLayout(page), 4);
    l->addWidget(makeChart(6), 1);
    QWidget* panel = controls_.panel(C::Panel2, new QWidget());
    auto* row = box(new QHBoxLayout(panel), 4, 12);
    row->addWidget(controls_.checkBox(C::CheckBox1));
    row->addWidget(controls_.label(C::LSexratio));
    QSlider* ratio = controls_.trackBar(C::trk_sexratio);
    ratio->setMinimumWidth(90);
    row->addWidget(ratio, 1);
    l->addWidget(panel);
    return page;
}

QWidget* MainWindow::buildWeightPage() {
    auto* page = new QWidget();
    auto* l = box(new QVBoxLayout(page), 4);
    l->addWidget(makeChart(4), 1);
    QWidget* panel = controls_.panel(C::Panel9, new QWidget());
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(4, 2, 4, 2);
    g->addWidget(controls_.label(C::LSlaktviktkonstko), 0, 0);
    g->addWidget(controls_.trackBar(C::Trk_Slaktviktko), 0, 1);
    g->addWidget(controls_.label(C::LSlaktviktkonsttjur), 1, 0);
    g->addWidget(controls_.trackBar(C::trk_slaktvikttjur), 1, 1);
    g->setColumnStretch(1, 1);
    l->addWidget(panel);
    return page;
}

QWidget* MainWindow::buildMortalityPage() {
    auto* page = new QWidget();
    auto* row = box(new QHBoxLayout(page), 4);
    QWidget* strip = controls_.panel(C::Panel_Dodlighet, new QWidget());
    strip->setFixedWidth(137);
    auto* g = new QGridLayout(strip);
    g->setContentsMargins(2, 2, 2, 2);
    g->setVerticalSpacing(3);
    QLabel* calf = controls_.label(C::Label7);
    QFont bold = calf->font();
    bold.setBold(true);
    calf->setFont(bold);
    g->addWidget(calf, 0, 0, 1, 3);
    g->addWidget(controls_.label(C::Label1), 1, 0);
    g->addWidget(controls_.upDown(C::Trk_kalvdodlighetsommar), 1, 1);
    g->addWidget(controls_.label(C::Label2), 2, 0);
    g->addWidget(controls_.upDown(C::Trk_Kalvdodlighetvinter), 2, 1);
    g->addWidget(controls_.label(C::LKalvdodlighet), 3, 0, 1, 3);
    g->addWidget(controls_.label(C::LTjurdodlighet), 4, 0);
    g->addWidget(controls_.upDown(C::trk_tjurdodlighet), 4, 1);
    g->addWidget(controls_.label(C::LKododlighet), 5, 0);
    g->addWidget(controls_.upDown(C::trk_kododlighet), 5, 1);
    g->addWidget(controls_.label(C::LKorisk), 6, 0);
    g->addWidget(controls_.upDown(C::trk_korisk), 6, 1);
    g->setRowStretch(7, 1);
    auto* help = new QHBoxLayout();
    help->addWidget(
        helpButton(controls_.button(C::hlp_dodlighet, [this] { Visainfo(app_, kMortalityHelp, "OK", 0); })));
    QPushButton* health = helpButton(controls_.button(C::Button6, [this] { help_->show(HelpWindow::Fekhelp); }));
    help->addWidget(health);
    help->addStretch();
    g->addLayout(help, 8, 0, 1, 3);
    g->setColumnStretch(2, 1);
    row->addWidget(strip);
    row->addWidget(makeChart(7), 1);
    return page;
}

QWidget* MainWindow::buildPredatorPage() {
    auto* page = new QWidget();
    auto* row = box(new QHBoxLayout(page), 4);
    auto* strip = new QWidget();
    strip->setObjectName("Panel6");
    strip->setFixedWidth(153);
    auto* l = box(new QVBoxLayout(strip), 2, 3);
    for (auto [text, value, upDown] : {std::tuple{C::Label8, C::LVargmortalitet, C::Trk_vargmortalitet},
                                       std::tuple{C::Label9, C::LBjornmortalitet, C::Trk_bjornmortalitet}}) {
        QLabel* t = controls_.label(text);
        t->setWordWrap(true);
        l->addWidget(t);
        auto* line = new QHBoxLayout();
        QLabel* v = controls_.label(value);
        QFont f = v->font();
        f.setBold(true);
        v->setFont(f);
        line->addWidget(v);
        line->addWidget(controls_.upDown(upDown));
        line->addStretch();
        l->addLayout(line);
        l->addSpacing(8);
    }
    l->addStretch();
    l->addWidget(helpButton(controls_.button(C::btn_rovdjurhelp, [this] { Visainfo(app_, kPredationHelp, "OK", 0); })),
                 0, Qt::AlignRight);
    row->addWidget(strip);
    row->addWidget(makeChart(10), 1);
    return page;
}

}  // namespace vildo::qt
