// The estimate's interval: the pseudo-histories of the residual bootstrap, and the summary and texts of the
// members' estimates.
#include <gtest/gtest.h>

#include <cmath>

#include "calibration/estimate_interval.h"
#include "util/format.h"

namespace vildo {
namespace {

// A replay of five years from record 1 with known series and observations.
struct ReplayFixture {
    CalibrationState c;
    ReplayFixture() {
        c.Statistics.resize(8);
        c.StartIndex = 1;
        c.YearNo = 5;
        c.ObsScale = 20;
        c.Replay.summerDensity = {10, 11, 12, 11, 13};
        c.Replay.calvesPerCow = {0.5, 0.6, 0.55, 0.65, 0.6};
        c.Replay.bullShare = {0.4, 0.42, 0.41, 0.45, 0.44};
        const double obs[] = {0.55, 0.5, 0.66, 0, 0.6}, calves[] = {0.52, 0.57, 0.6, 0.6, 0.62},
                     bulls[] = {0.41, 0.4, 0.43, 0.44, 0.47};
        for (int i = 0; i < 5; ++i) {
            c.Statistics[static_cast<size_t>(i) + 1].obs = obs[i];
            c.Statistics[static_cast<size_t>(i) + 1].reprod = calves[i];
            c.Statistics[static_cast<size_t>(i) + 1].tjurobs = bulls[i];
        }
    }
};

TEST(EstimateInterval, ResidualsAreRelativeForTheObservationsAndAbsoluteForTheShares) {
    ReplayFixture f;
    const Residuals r = replayResiduals(f.c);
    ASSERT_EQ(r.obs.size(), 5u);
    EXPECT_NEAR(*r.obs[0], std::log(20 * 0.55 / 10), 1e-12);
    EXPECT_FALSE(r.obs[3].has_value()) << "a year without observations has no residual";
    EXPECT_NEAR(*r.calves[1], 0.57 - 0.6, 1e-12);
    EXPECT_NEAR(*r.bulls[4], 0.47 - 0.44, 1e-12);
}

TEST(EstimateInterval, APseudoHistoryIsTheSimulatedSeriesPlusResidualsOfDrawnYears) {
    ReplayFixture f;
    const Residuals r = replayResiduals(f.c);
    for (uint32_t seed : {1u, 2u, 3u, 77u}) {
        CalibrationState member = f.c;
        applyPseudoHistory(member, f.c, seed);
        EXPECT_EQ(member.Statistics[4].obs, 0) << "a year without observations keeps none";
        EXPECT_EQ(member.Statistics[0].obs, 0) << "records before the start year stay";
        for (size_t i = 0; i < 5; ++i) {
            const TStatistics& rec = member.Statistics[i + 1];
            // Each year's calves per cow is the simulated value plus the residual of some year of the replay.
            bool found = false;
            for (size_t from = 0; from < 5; ++from)
                found = found || std::fabs(rec.reprod - (f.c.Replay.calvesPerCow[i] + *r.calves[from])) < 1e-12;
            EXPECT_TRUE(found) << "seed " << seed << ", year " << i;
        }
        CalibrationState again = f.c;
        applyPseudoHistory(again, f.c, seed);
        EXPECT_EQ(again.Statistics[3].reprod, member.Statistics[3].reprod) << "the same seed draws the same years";
    }
    CalibrationState one = f.c, other = f.c;
    applyPseudoHistory(one, f.c, 1);
    applyPseudoHistory(other, f.c, 2);
    bool differ = false;
    for (size_t i = 1; i <= 5; ++i) differ = differ || one.Statistics[i].reprod != other.Statistics[i].reprod;
    EXPECT_TRUE(differ) << "other seeds draw other years";
}

TEST(EstimateInterval, PerturbedStartsStayWithinTheControlsAndSpreadAroundTheBest) {
    double below = 0, above = 0;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        const CalibrationSetting s = perturbedStart({290, 990, 14.9}, seed);
        EXPECT_GE(s.density, 1);
        EXPECT_LE(s.density, 300);
        EXPECT_LE(s.forage, 1000);
        EXPECT_LE(s.ccSlope, 15);
        const CalibrationSetting m = perturbedStart({100, 220, 0}, seed);
        (m.density < 100 ? below : above) += 1;
        EXPECT_EQ(m.density, std::round(m.density)) << "a position is whole";
    }
    EXPECT_GT(below, 60);
    EXPECT_GT(above, 60);
}

// The members' own percentiles, then widened about their median in log density.
TEST(EstimateInterval, TheIntervalIsTheMembersTenthToNinetiethPercentileWidened) {
    std::vector<MemberEstimate> members;
    for (int i = 10; i >= 0; --i) members.push_back({static_cast<double>(i), 2.0 * i});
    const EstimateInterval e = summariseMembers(members);
    EXPECT_EQ(e.members, 11);
    EXPECT_DOUBLE_EQ(e.membersLow, 1);
    EXPECT_DOUBLE_EQ(e.membersHigh, 9);
    EXPECT_DOUBLE_EQ(e.median, 5);
    const double k = kIntervalWidening;
    EXPECT_DOUBLE_EQ(e.winterLow, 5 * std::pow(0.2, k));
    EXPECT_DOUBLE_EQ(e.winterHigh, 5 * std::pow(1.8, k));
    EXPECT_DOUBLE_EQ(e.summerLow, 10 * std::pow(0.2, k));
    EXPECT_DOUBLE_EQ(e.summerHigh, 10 * std::pow(1.8, k));
    EXPECT_LT(e.winterLow, e.membersLow);
    EXPECT_GT(e.winterHigh, e.membersHigh);
    EXPECT_EQ(intervalLine(e), "Med 80 % sannolikhet mellan " + fix(e.winterLow, 15, 1) + " och " +
                                   fix(e.winterHigh, 15, 1) + " per 1000 hektar efter jakt.");
    // A shot-out member stays at 0; the median stays where it is.
    EXPECT_EQ(widenedDensity(0, 5), 0);
    EXPECT_DOUBLE_EQ(widenedDensity(5, 5), 5);
}

// A member's stock moves to its widened density, every age class alike; a shot-out one stays empty.
TEST(EstimateInterval, AMembersStockIsScaledToItsWidenedDensity) {
    MemberStock s;
    s.Winter.WinterDensity = 4;
    s.Winter.WinterStock = 400;
    s.Pop.FemWinter[3] = 30;
    s.Pop.MaleWinter[0] = 12;
    const MemberStock w = widenedStock(s, 5);
    const double f = widenedDensity(4, 5) / 4;
    EXPECT_LT(f, 1);
    EXPECT_DOUBLE_EQ(w.Winter.WinterDensity, widenedDensity(4, 5));
    EXPECT_DOUBLE_EQ(w.Winter.WinterStock, 400 * f);
    EXPECT_DOUBLE_EQ(w.Pop.FemWinter[3], 30 * f);
    EXPECT_DOUBLE_EQ(w.Pop.MaleWinter[0], 12 * f);
    MemberStock out = s;
    out.shotOut = true;
    EXPECT_EQ(widenedStock(out, 5).Winter.WinterStock, 400);
}

TEST(EstimateInterval, TheVerdictSaysWhenTheEstimateIsUncertain) {
    struct Case {
        const char* what;
        double low, high, estimate;
        const char* says;  // nullptr: no sentence
    } cases[] = {
        {"inside and narrow", 9, 11, 10, nullptr},
        {"exactly ±50 %", 5, 15, 10, nullptr},
        {"wider than ±50 %", 4.9, 15, 10, "bredare än ±50 %"},
        {"the best run below the members", 10.5, 12, 10, "utanför de mittersta 80 %"},
        {"the best run above the members", 8, 9.9, 10, "utanför de mittersta 80 %"},
    };
    for (const Case& c : cases) {
        EstimateInterval e;
        e.members = 40;
        e.winterLow = e.membersLow = c.low;
        e.winterHigh = e.membersHigh = c.high;
        const std::string note = uncertaintyNote(e, c.estimate);
        if (!c.says)
            EXPECT_EQ(note, "") << c.what;
        else
            EXPECT_NE(note.find(c.says), std::string::npos) << c.what << ": " << note;
    }
}

}  // namespace
}  // namespace vildo
