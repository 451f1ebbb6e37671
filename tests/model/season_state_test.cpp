// The season as a computation on its own part of the state: a scenario read into a SeasonState runs a season
// without the window, the handlers or the charts.
#include "hunt/season_state.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hunt/season.h"
#include "model/state_files.h"
#include "util/file_io.h"

namespace vildo {
namespace {

// Counts what the season reports: a season that fails says so and skips its winter.
struct CountingPrompts : SilentPrompts {
    int messages = 0;
    void message(const std::string&) override { ++messages; }
} reported;

SeasonState fromScenario(uint32_t seed) {
    SeasonState s;
    s.prompts = &reported;
    s.controls = controlRanges();
    s.ctl(C::Edit1).caption = std::to_string(2);  // the years of the fecundity's memory, as the window starts
    s.timers = designTimers();
    const std::optional<std::string> bytes = readWholeFile(VILDO_SCENARIO);
    EXPECT_TRUE(bytes.has_value());
    if (bytes) applySnapshot(s, *bytes);
    s.rng.seed = seed;
    return s;
}

TEST(SeasonOnItsOwnPart, ASeasonRunsWithoutTheWindow) {
    SeasonState s = fromScenario(7);
    const int year = s.YearNo;
    ASSERT_GT(s.Winter.WinterStock, 0);
    reported.messages = 0;
    Huntayear(s);
    EXPECT_EQ(reported.messages, 0);
    EXPECT_EQ(s.YearNo, year + 1);
    EXPECT_GT(s.HarvestTot.TotalShot, 0);
    EXPECT_GT(s.Winter.WinterStock, 0);
}

TEST(SeasonOnItsOwnPart, TheSameStartAndSeedGiveTheSameSeason) {
    SeasonState a = fromScenario(7), b = fromScenario(7), c = fromScenario(8);
    for (SeasonState* s : {&a, &b, &c}) Huntayear(*s);
    EXPECT_EQ(snapshotBytes(a), snapshotBytes(b));
    EXPECT_NE(snapshotBytes(a), snapshotBytes(c));
}

// The window's layer draws the pyramids; the season only says when.
std::vector<std::pair<std::string, double>> drawn;  // what was asked, with the winter stock then

TEST(SeasonOnItsOwnPart, TheDisplayClearsThePyramidsFirstAndRedrawsThemLast) {
    static const SeasonDisplay recording = {
        [](SeasonState& s) { drawn.emplace_back("clear", s.Winter.WinterStock); },
        [](SeasonState& s, double) { drawn.emplace_back("redraw", s.Winter.WinterStock); },
    };
    SeasonState s = fromScenario(7);
    const double before = s.Winter.WinterStock;
    s.display = &recording;
    drawn.clear();
    Huntayear(s);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], std::make_pair(std::string("clear"), before));
    EXPECT_EQ(drawn[1], std::make_pair(std::string("redraw"), s.Winter.WinterStock));
}

}  // namespace
}  // namespace vildo
