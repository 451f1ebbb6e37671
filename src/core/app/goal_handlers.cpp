#include "app/goal_handlers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "app/vildo.h"
#include "hunt/goals.h"
#include "hunt/rule_dialog.h"
#include "model/controls.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr char kBackspace = 8;
constexpr char kEnter = 13;

bool isDigit(char key) { return key >= '0' && key <= '9'; }

// A harvest cell as the toolkit's integer conversion reads it: a 32-bit whole number, or nothing.
std::optional<int32_t> cellInt(const std::string& text) {
    auto v = parseInt(text);
    if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(*v);
}

// The interval of a rule row: weeks for rows 1-3 (weekWord "vecka" or "jaktvecka"), antler points for row 4.
std::string intervalText(int row, const TRule& rule, const std::string& weekWord) {
    std::string from = intStr(rule.from), to = intStr(rule.to);
    if (row == RuleBull) return "Mellan " + from + " och " + to + " taggar";
    return "Från " + weekWord + " " + from + " t.o.m. " + weekWord + " " + to;
}

}  // namespace

void SpinButton1UpClick(Vildo& app) {
    app.Goals.HarvestRate = static_cast<float>(app.Goals.HarvestRate + 0.1);
    Adjusttarget(app);
}

void SpinButton1DownClick(Vildo& app) {
    app.Goals.HarvestRate = static_cast<float>(std::max(0.0, app.Goals.HarvestRate - 0.1));
    Adjusttarget(app);
}

void SpinButton2UpClick(Vildo& app) {
    if (app.YearNo == 0) {
        setPosition(app, C::Trk_tjurandel, app.pos(C::Trk_tjurandel) - 1);  // the slider's range holds it at 15
        return;
    }
    app.Goals.BullShareTarget = static_cast<float>(app.Goals.BullShareTarget + 0.01);
    Nyamal(app);
}

void SpinButton2DownClick(Vildo& app) {
    if (app.YearNo == 0) {
        setPosition(app, C::Trk_tjurandel, app.pos(C::Trk_tjurandel) + 1);
        return;
    }
    app.Goals.BullShareTarget = static_cast<float>(std::max(0.0, app.Goals.BullShareTarget - 0.01));
    Nyamal(app);
}

void SpinButton3UpClick(Vildo& app) {
    if (app.YearNo == 0) {
        setPosition(app, C::Trk_Kalvskytte, app.pos(C::Trk_Kalvskytte) + 1);
        return;
    }
    if (app.CalfPercent < 99) ++app.CalfPercent;
    Nyamal(app);
}

void SpinButton3DownClick(Vildo& app) {
    if (app.YearNo == 0) {
        setPosition(app, C::Trk_Kalvskytte, app.pos(C::Trk_Kalvskytte) - 1);
        return;
    }
    if (app.CalfPercent > 0) --app.CalfPercent;
    Nyamal(app);
}

bool StringGrid2SelectCell(const Vildo& app, int col, int row) {
    return col == targetColumn(app) && row >= 1 && row <= 3;
}

char StringGrid2KeyPress(char key) { return isDigit(key) || key == kBackspace || key == kEnter ? key : 0; }

void StringGrid2SetEditText(Vildo& app, int col, int row, const std::string& value) {
    Grid& t = app.StringGrid2;
    t.cell(col, row) = value;
    if (!app.SeasonStarted || value.empty()) return;
    auto bulls = cellInt(t.cell(col, 1)), cows = cellInt(t.cell(col, 2)), calves = cellInt(t.cell(col, 3));
    if (!bulls || !cows || !calves) {
        app.prompts->message("Fyll i jakt på tjur, ko och kalv eller lämna alla tre tomma!");
        return;
    }
    TGoals& g = app.Goals;
    double adults = static_cast<double>(*bulls) + *cows;
    double total = adults + *calves;
    g.BullQuota = static_cast<float>(*bulls);
    g.CowQuota = static_cast<float>(*cows);
    g.CalfQuota = static_cast<float>(*calves);
    g.HarvestRate = static_cast<float>(checkedDiv(total, app.AreaKha));
    if (adults > 0) g.BullShareTarget = static_cast<float>(*bulls / adults);
    if (g.HarvestRate > 0) app.CalfPercent = static_cast<int32_t>(Round(100.0 * *calves / total));
    t.cell(col, 4) = fix(total, 4, 0);
    t.cell(col, 5) = fix(total / app.AreaKha, 6, 1);
    app.TargetTotal = strToFloat(t.cell(col, 4));
}

bool Stringgrid5SelectCell(int col, int row) { return col == 1 && row >= 1 && row <= 7; }

char Stringgrid5KeyPress(Vildo& app, char key) {
    if (!(isDigit(key) || key == ',' || key == kBackspace || key == kEnter)) key = 0;
    // Row by row: a cell that does not parse ends the handler with the rows above it already read.
    auto goal = [&](int row) { return static_cast<float>(strToFloat(app.Stringgrid5.cell(1, row))); };
    TGoals& g = app.Goals;
    g.GoalCalvesPerCow = goal(1);
    g.GoalBullShare = goal(2);
    g.GoalPrimeBulls = goal(3);
    g.GoalCalfShare = goal(4);
    g.GoalMeanAgeCows = goal(5);
    g.GoalQuotaUse = goal(6);
    g.GoalBrowsing = goal(7);
    return key;
}

void Stringgrid5DrawCell(Vildo& app, int col, int row) {
    if (col != 2 || row < 1 || row > 7) return;
    Grid& g = app.Stringgrid5;
    // A cell being typed may not parse yet; painting must not fail on it.
    auto goal = parseReal(g.cell(1, row));
    auto now = parseReal(g.cell(2, row));
    bool missed = goal && now && (row == 7 ? *now > *goal : *now < *goal);
    g.setRed(col, row, missed);
}

bool StringGrid3SelectCell(Vildo& app, int col, int row) {
    if (row < 1 || row > 4) return false;
    if (app.checked(C::chk_stats) && app.YearNo < app.DataYears) {
        app.prompts->message(
            "Regler är inaktiva då historisk avskjutning används. Vänta till historiska avskjutning är slut.");
        return false;
    }
    Grid& g = app.StringGrid3;
    TRule& rule = app.Rules[row];
    if (g.cell(1, row) == "Ja" && col == 2) {
        app.RuleDialogRow = row;
        app.RuleDialogFrom = 1000;  // nothing chosen
        TRegelform form(app);
        form.FormActivate();
        app.prompts->ruleDialog(form);
        if (app.RuleDialogFrom != 1000) {
            rule.from = static_cast<uint8_t>(app.RuleDialogFrom);
            rule.to = static_cast<uint8_t>(app.RuleDialogTo);
            g.cell(2, row) = intervalText(row, rule, "jaktvecka");
            rule.intervalSet = 1;
        }
    }
    if (g.cell(1, row) == "Nej" && col == 1) {
        rule.enabled = 1;
        g.cell(1, row) = std::string("Ja");
        g.cell(2, row) =
            rule.intervalSet == 1 ? intervalText(row, rule, "vecka") : "Klicka här för att sätta intervall";
    } else if (g.cell(1, row) == "Ja" && col == 1) {
        // The interval stays, so switching on again shows it.
        rule.enabled = 0;
        g.cell(1, row) = std::string("Nej");
        g.cell(2, row) = std::string(rule.intervalSet == 1 ? " " : "");
    }
    return false;
}

namespace {

void kvoteringHandler(ModelState& s, C, int) { chk_kvoteringClick(whole(s)); }

}  // namespace

void wireHuntHandlers(Controls& controls) { controls[static_cast<int>(C::chk_kvotering)].onChange = kvoteringHandler; }

void chk_kvoteringClick(Vildo& app) {
    bool quota = app.checked(C::chk_kvotering);
    app.ctl(C::SpinButton2).enabled = quota;
    app.ctl(C::trk_korisk).enabled = !quota;
    app.ctl(C::LSpinn_Tjurandel).caption = quota ? percentText(app.Goals.BullShareTarget) : "---";
}

}  // namespace vildo
