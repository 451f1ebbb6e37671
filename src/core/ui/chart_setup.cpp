// The charts as the window is built: series, colours, axes and titles; and their state at initialisation.
#include "ui/chart_colours.h"
#include "ui/chart_ops.h"

namespace vildo {

namespace {

// Winter stock or harvest by age: bulls to the right, females to the left of the same age slot.
void pyramid(Chart& c, const char* title) {
    c.title = title;
    c.series = {Series{"Tjur", SeriesKind::HorizBar, kLightBlue}, Series{"Hondjur", SeriesKind::HorizBar, kGrey160}};
    for (Series& s : c.series) s.barWidthPct = 200;
    c.series[1].barOffsetPct = -100;
    c.bottom.setRange(-20, 20);
    c.left.setRange(0, 20);
    c.right.visible = false;
    c.visible = false;
}

void meanAgeAndHarvest(Chart& c) {
    c.series = {Series{"Hondjur", SeriesKind::Bar, kGrey160},        Series{"Tjur", SeriesKind::Bar, kLightBlue},
                Series{"Total avskjutning", SeriesKind::Bar, kGold}, Series{"Tjur", SeriesKind::Bar, kLightBlue},
                Series{"Hondjur", SeriesKind::Bar, kGrey160},        Series{"Kalv", SeriesKind::Bar, kYellowGreen}};
    for (int i = 0; i < 2; ++i) {
        c.series[i].marks = MarkStyle::Value;
        c.series[i].markDecimals = 1;
    }
    for (int i = 2; i < 6; ++i) c.series[i].marks = MarkStyle::LabelAndValue;
    c.right.visible = false;
    c.visible = false;
}

void reproductionAndBullShare(Chart& c) {
    c.series = {Series{"Kalv/hondjur (sim.)", SeriesKind::Line, kRed},
                Series{"Kalv/hondjur (enl. obs)", SeriesKind::Line, kLightRed},
                Series{"Tjurandel (sim.)", SeriesKind::Line, kLightBlue},
                Series{"Tjurandel (enl. obs)", SeriesKind::Line, kBlue}};
    c.left.setRange(0, 1);
    c.left.increment = 0.1;
    c.right.visible = false;
    c.bottom.title = "År";
    c.left.title = "Kalvar per hondjur, tjurandel";
}

void timeSeries(Chart& c) {
    c.series = {Series{"Sommarstam", SeriesKind::Line, kGreen},
                Series{"Vinterstam", SeriesKind::Line, kLightBlue},
                Series{"Avskjutning", SeriesKind::Line, kRed},
                Series{"ÄlgObs", SeriesKind::Line, kYellow},
                Series{"Vildo", SeriesKind::Point, kGold},
                Series{"Älgbonitet", SeriesKind::Line, kYellowGreen},
                Series{"Foderprod. ungskog", SeriesKind::Line, kSpringGreen},
                Series{"Annan dödlighet", SeriesKind::Line, kSilver},
                Series{"Trafikdöda", SeriesKind::Line, kOrange},
                Series{"Vargpredation", SeriesKind::Line, kRed},
                Series{"Björnpredation (kalv)", SeriesKind::Line, kChocolate}};
    c.legendColumns = 4;
    c.right.visible = false;
    c.bottom.title = "År";
    c.left.title = kDensityTitle;
}

void landUse(Chart& c) {
    Series pie = Series{"", SeriesKind::Pie, 0};
    pie.marks = MarkStyle::LabelAndPercent;
    c.series = {pie};
    c.left.visible = c.right.visible = c.bottom.visible = false;
    // The footers belong to expert mode.
    c.footerVisible = c.subFooterVisible = false;
}

constexpr const char* kClickHint = "(Klicka på stapel med höger eller vänster musknapp)";

void fecundity(Chart& c) {
    c.title = std::string("Justera kornas fekunditet, dvs hur många kalvar en ko får per år\r\n") + kClickHint;
    c.series = {Series{"", SeriesKind::Bar, kSilver}};
    c.bottom.title = "Ålder";
    c.bottom.setRange(0, 20);
    c.left.title = "Antal kalv per hondjur";
    c.left.setRange(-0.1, 3);
    c.left.increment = 0.1;
    c.right.visible = false;
}

// Carcass weight and mortality: females and bulls side by side at each age.
void byAgeBars(Chart& c, const char* leftTitle, double leftMax) {
    c.series = {Series{"Hondjur", SeriesKind::Bar, kGrey160}, Series{"Tjur", SeriesKind::Bar, kLightBlue}};
    c.bottom.title = "Ålder";
    c.bottom.setRange(-1, 21);
    c.bottom.increment = 2;
    c.left.title = leftTitle;
    c.left.setRange(0, leftMax);
    c.left.increment = 10;
    c.right.visible = false;
}

void predators(Chart& c) {
    c.subTitle = "Använd vänster och höger musknapp";
    Series wolves = Series{"Varg", SeriesKind::Line, kRed};
    Series bears = Series{"Björn", SeriesKind::Line, kLightBlue};
    bears.axis = AxisSide::Right;
    for (Series* s : {&wolves, &bears}) {
        s->pointsShown = true;
        s->marks = MarkStyle::Value;
        s->markDecimals = 1;
    }
    c.series = {wolves, bears};
    c.bottom.title = "År";
    c.left.title = "Antal vargrevir";
    c.left.setRange(0, 10);
    c.right.title = "Antal björnar";
    c.right.setRange(0, 10);
}

}  // namespace

Charts designCharts() {
    Charts c{};
    pyramid(c[1], "Vinterstam");
    pyramid(c[2], "Fällda djur");
    meanAgeAndHarvest(c[9]);
    reproductionAndBullShare(c[8]);
    timeSeries(c[5]);
    landUse(c[3]);
    fecundity(c[6]);
    byAgeBars(c[4], "Slaktvikt (kg)", 300);
    c[4].title = std::string("Justera slaktvikt för tjur och hondjur\r\n") + kClickHint;
    byAgeBars(c[7], "Dödlighet (%)", 100);
    predators(c[10]);
    for (int n : {3, 6, 4, 10, 7}) c[n].background = kDarkGrey;
    // The editing instructions and the bar clicks belong to expert mode.
    for (int n : {4, 6}) {
        c[n].titleVisible = false;
        c[n].enabled = false;
    }
    return c;
}

void initiateCharts(WindowState& app) {
    const double y0 = app.platform.currentYear() - 1;
    for (int n : {5, 8, 10}) app.charts[n].bottom.setRange(y0, y0 + 10);
    Chart& pred = app.charts[10];
    pred.clearSeries(0);
    pred.clearSeries(1);
    for (int i = 0; i < 10; ++i)
        for (Series& s : pred.series) s.points.push_back({y0 + i, 0, {}, 0});
    for (size_t i = 3; i <= 10; ++i) app.charts[5].series.at(i).active = false;
    // The main chart stays empty until the first year is drawn; its density axis meanwhile spans twice the
    // wanted winter density rather than an empty 0..1.
    if (app.checked(C::lgtthetochAvskjutning1)) {
        app.charts[5].left.setRange(0, 2 * app.pos(C::Trk_density) * 0.1);
        app.charts[5].left.increment = 1;
    }
    for (size_t i : {1, 3}) app.charts[8].series.at(i).active = false;
    for (int n : {1, 2}) {
        app.charts[n].bottom.setRange(-20, 20);
        app.charts[n].left.setRange(0, 20);
    }
    app.MaxSummerDensity = 0;
}

}  // namespace vildo
