// The left page set: the area and its statistics, theory and strategy, goals and rules, the evaluation.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/full_calibration.h"
#include "app/goal_handlers.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "hunt/goals.h"
#include "qt/dark_style.h"
#include "qt/grid_view.h"
#include "qt/main_window.h"

namespace vildo::qt {

namespace {

QVBoxLayout* column(QWidget* w, int margin = 6, int spacing = 4) {
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(margin, margin, margin, margin);
    l->setSpacing(spacing);
    return l;
}

}  // namespace

GridView* MainWindow::makeGrid(Grid& g, const GridHooks& hooks, std::function<void(GridView&)> sizeRule) {
    auto* v = new GridView(g, hooks);
    v->setSizeRule(std::move(sizeRule));
    grids_.push_back(v);
    return v;
}

QWidget* MainWindow::buildAreaPage() {
    auto* page = new QWidget();
    auto* l = column(page);

    auto* strip = controls_.panel(C::Panel_omrade, new QWidget());
    strip->setFixedHeight(105);
    auto* g = new QGridLayout(strip);
    g->setContentsMargins(2, 2, 2, 2);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(4);
    QLabel* area = controls_.label(C::LOmrade);
    QFont af = area->font();
    af.setPointSize(10);
    af.setBold(true);
    area->setFont(af);
    QPalette ap = area->palette();
    ap.setColor(QPalette::WindowText, palette::kAreaBlue);
    area->setPalette(ap);
    g->addWidget(area, 0, 0, 1, 6);
    QPushButton* calibrate = controls_.button(C::btn_nykalib, [this] { btn_nykalibClick(app_); });
    calibrate->setFixedSize(106, 56);
    g->addWidget(calibrate, 1, 0, 2, 1, Qt::AlignTop);

    auto* start = new QVBoxLayout();
    start->setSpacing(2);
    start->addWidget(controls_.label(C::lbl_Startar));
    QComboBox* years = controls_.combo(C::Combo_Startyear);
    years->setMinimumWidth(80);
    start->addWidget(years);
    start->addStretch();
    g->addLayout(start, 1, 1, 2, 1);

    // The manual adjustment of the estimation and the batch's switches, shown only when asked for.
    auto* adjust = new QGridLayout();
    adjust->setHorizontalSpacing(6);
    adjust->setVerticalSpacing(2);
    adjust->addWidget(controls_.label(C::LJustRepro), 0, 0);
    adjust->addWidget(
        controls_.spinButton(
            C::Spin_density, [this] { Spin_densityUpClick(app_); }, [this] { Spin_densityDownClick(app_); }),
        0, 1);
    adjust->addWidget(controls_.label(C::Lwinterdensity), 0, 2);
    adjust->addWidget(controls_.label(C::LJustSommar), 1, 0);
    adjust->addWidget(
        controls_.spinButton(
            C::Spin_algbonitet, [this] { Spin_algbonitetUpClick(app_); }, [this] { Spin_algbonitetDownClick(app_); }),
        1, 1);
    adjust->addWidget(controls_.label(C::LAlgbonitet), 1, 2);
    adjust->addWidget(controls_.upDown(C::UD_Lutning), 0, 3);
    QLineEdit* years2 = controls_.edit(C::Edit1);
    years2->setFixedWidth(36);
    adjust->addWidget(years2, 1, 3);
    adjust->addWidget(controls_.checkBox(C::chk_ccarea), 0, 4);
    adjust->addWidget(controls_.checkBox(C::chk_trimming), 1, 4);
    adjust->addWidget(controls_.checkBox(C::chk_simbonitet), 2, 4);
    adjust->addWidget(controls_.button(C::btn_helpomrade, {}), 0, 5);
    g->addLayout(adjust, 1, 2, 2, 3);
    g->setColumnStretch(5, 1);
    l->addWidget(strip);

    QGroupBox* stats = controls_.group(C::GroupBox1);
    auto* sl = column(stats, 4);
    GridHooks hooks;
    hooks.selectCell = [](int col, int) { return col == 1 || col == 3; };
    hooks.keyPress = StringGrid2KeyPress;  // the same filter: digits, backspace and Enter
    sl->addWidget(makeGrid(app_.StringGrid6, hooks, [](GridView& v) {
        const int d = v.viewport()->width() / 20;
        v.setDefaultColumnWidth(d);
        v.setColumnWidth(1, 2 * d);
        v.setColumnWidth(2, 7 * d);
        v.setColumnWidth(3, 2 * d);
        v.setColumnWidth(0, v.viewport()->width() - 11 * d);
        v.setDefaultRowHeight((v.height() - 5) / v.rowCount());
    }));
    l->addWidget(stats, 1);
    l->addStretch(0);
    return page;
}

QWidget* MainWindow::buildStrategyPage() {
    auto* page = new QWidget();
    auto* l = column(page, 6, 6);

    // The two setting groups side by side; the key figures below them over the page's width.
    QWidget* controlsPanel = controls_.panel(C::Panel5, new QWidget());
    auto* row = new QHBoxLayout(controlsPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    QGroupBox* set = controls_.group(C::GroupBox7);
    auto* sl = column(set, 8, 1);
    for (auto [label, bar] : {std::pair{C::LDensityset, C::Trk_density}, std::pair{C::LTjurandel, C::Trk_tjurandel},
                              std::pair{C::LKalvandel, C::Trk_Kalvskytte}, std::pair{C::LKviga, C::trk_kviga},
                              std::pair{C::LTaggar, C::trk_taggar}}) {
        sl->addWidget(controls_.label(label));
        sl->addWidget(controls_.trackBar(bar));
    }
    sl->addWidget(controls_.label(C::LDensityreal));
    sl->addStretch();
    row->addWidget(set, 1);

    QGroupBox* estimate = controls_.group(C::GroupBox6);
    auto* el = column(estimate, 8, 1);
    el->addWidget(controls_.label(C::LHarvest));
    el->addWidget(controls_.trackBar(C::trk_harvest));
    el->addWidget(controls_.label(C::Lreprod));
    el->addWidget(controls_.trackBar(C::trk_reprod));
    el->addSpacing(4);
    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(6);
    QPushButton* kalib = controls_.button(C::Kalib, [this] { KalibClick(app_); });
    kalib->setFixedHeight(40);
    kalib->setMinimumWidth(150);
    kalib->setMaximumWidth(202);
    buttons->addWidget(kalib, 1);
    QPushButton* area = controls_.button(C::btn_jaktareal, [this] { btn_jaktarealClick(app_); });
    area->setFixedHeight(40);
    buttons->addWidget(area);
    el->addLayout(buttons);
    el->addStretch();
    row->addWidget(estimate, 1);
    l->addWidget(controlsPanel);

    QGroupBox* figures = controls_.group(C::GroupBox3);
    auto* fl = column(figures, 4);
    GridView* keys = makeGrid(app_.StringGrid1, {}, [](GridView& v) {
        const int w = v.viewport()->width();
        v.setColumnWidth(0, 16);
        v.setColumnWidth(2, 24);
        v.setColumnWidth(1, (w - 40) / 2);
        v.setColumnWidth(3, (w - 40) / 2);
        v.setDefaultRowHeight((v.height() - 4) / v.rowCount());
    });
    keys->setShowGrid(false);
    keys->setFocusPolicy(Qt::NoFocus);
    keys->setFrameShape(QFrame::NoFrame);
    fl->addWidget(keys);
    l->addWidget(figures, 1);
    return page;
}

QWidget* MainWindow::buildGoalsPage() {
    auto* page = new QWidget();
    auto* l = column(page, 4, 4);
    GridHooks goals;
    goals.selectCell = [](int col, int row) { return Stringgrid5SelectCell(col, row); };
    goals.keyPress = [this](char key) {
        char out = 0;
        run([&] { out = Stringgrid5KeyPress(app_, key); });
        return out;
    };
    goals.editText = [this](int col, int row, const std::string& text) {
        app_.Stringgrid5.cell(col, row) = text;
        refresh();
    };
    l->addWidget(makeGrid(app_.Stringgrid5, goals,
                          [](GridView& v) {
                              const int w = v.viewport()->width(), d = w / 20;
                              v.setDefaultColumnWidth(d);
                              v.setColumnWidth(0, 8 * d);
                              v.setColumnWidth(1, 2 * d);
                              v.setColumnWidth(2, 2 * d);
                              v.setColumnWidth(3, w - 12 * d);
                              const int h = v.height(), row = (h - 8) / v.rowCount();
                              v.setDefaultRowHeight(row);
                              v.setRowHeight(7, h - 8 - 7 * row);
                          }),
                 2);

    GridHooks rules;
    rules.selectCell = [this](int col, int row) {
        run([&] { StringGrid3SelectCell(app_, col, row); });
        return false;  // a rule cell is never left selected
    };
    GridView* ruleGrid = makeGrid(app_.StringGrid3, rules, [](GridView& v) {
        const int w = v.viewport()->width(), d = w / 20;
        v.setDefaultColumnWidth(d);
        v.setColumnWidth(0, 8 * d);
        v.setColumnWidth(1, 2 * d);
        v.setColumnWidth(2, w - 10 * d);
        v.setDefaultRowHeight((v.height() - 6) / v.rowCount());
    });
    l->addWidget(ruleGrid, 1);
    return page;
}

QWidget* MainWindow::buildResultsPage() {
    auto* page = new QWidget();
    auto* l = column(page, 4);
    GridView* table = makeGrid(app_.Tabell_utv, {}, [](GridView& v) {
        const int w = v.viewport()->width();
        v.setDefaultColumnWidth(w / 8);
        v.setColumnWidth(0, w / 2);
        v.setDefaultRowHeight((v.height() - 4) / v.rowCount());
    });
    table->setFocusPolicy(Qt::NoFocus);
    l->addWidget(table);
    return page;
}

}  // namespace vildo::qt
