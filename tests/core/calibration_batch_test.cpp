#include <gtest/gtest.h>

#include <cmath>

#include "app/carrying_capacity_batch.h"
#include "app/carrying_capacity_run.h"
#include "app/full_calibration.h"
#include "app/start_year.h"
#include "area/global_cc.h"
#include "calibration_fixture.h"
#include "util/file_io.h"

namespace vildo {
namespace {

class Batch : public test::CalibrationTest {
protected:
    std::string csv() const { return (t.dir.path / "GlobalCC.csv").string(); }
};

TEST_F(Batch, TheFirstStartYearSetsTheAreasForageTrendCutTo10) {
    struct Case {
        double slope, stored;
    } cases[] = {{12.3, 10}, {-11, -10}, {3.25, 3.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slope);
        load();
        for (int p = 1; p <= 12; ++p) a().Statistics[p].CC = static_cast<int32_t>(std::lround(200 + c.slope * (p - 1)));
        setPosition(a(), C::Trk_barkraftovrig, 200);  // what the first start year's search found
        setPosition(a(), C::Trk_density, 93);
        a().TrimMode = true;
        a().SettingsChanged = true;
        setTimer(a(), 5, true);
        Timer5Timer(a());
        EXPECT_NEAR(a().Header.AreaCCSlope, c.stored, 0.05);
        EXPECT_EQ(a().CCSlope, a().Header.AreaCCSlope);
        EXPECT_FALSE(a().TrimMode);
        EXPECT_FALSE(a().SettingsChanged);
        EXPECT_FALSE(a().timers[5].enabled);
        EXPECT_EQ(a().Statistics[1].CC, 200);
        EXPECT_DOUBLE_EQ(a().Statistics[1].Vildodens, 9.3);
    }
    // With the estimate message on, the batch stops at the area and says what it found.
    ASSERT_FALSE(t.prompts.infos.empty());
    EXPECT_EQ(t.prompts.infos.back().text.rfind("Vinterstammen för år 2012 har beräknats till ", 0), 0u);
    EXPECT_TRUE(t.prompts.infos.back().showBox);
    EXPECT_FALSE(a().timers[4].enabled);
}

TEST_F(Batch, ALaterStartYearStoresItsEstimateAndEstimatesTheYearBefore) {
    load();
    a().ctl(C::Combo_Startyear).position = 3;
    setPosition(a(), C::Trk_barkraftovrig, 240);
    setPosition(a(), C::Trk_density, 77);
    a().TrimMode = true;
    Timer5Timer(a());
    EXPECT_EQ(a().Statistics[4].CC, 240);
    EXPECT_DOUBLE_EQ(a().Statistics[4].Vildodens, 7.7);
    EXPECT_EQ(a().pos(C::Combo_Startyear), 2);
    EXPECT_EQ(a().StartIndex, 4);
    EXPECT_TRUE(a().timers[2].enabled);
    EXPECT_TRUE(a().TrimMode);

    a().TrimMode = false;  // Timer5 does nothing outside the batch
    a().ctl(C::Combo_Startyear).position = 1;
    Timer5Timer(a());
    EXPECT_EQ(a().Statistics[2].CC, 0);
}

TEST_F(Batch, GlobalCCGetsOneHeaderAndATabSeparatedLinePerArea) {
    load();
    a().Winter.WinterDensity = 7.25;
    ASSERT_TRUE(writeGlobalCC(a(), csv()));
    ASSERT_TRUE(writeGlobalCC(a(), csv()));
    const std::string line =
        "2012\t302\t3\tUppsala\t2\tTestomr\xE5"
        "det\t100000\t100000\t100\t22,0\t7,2\t50\r\n";
    EXPECT_EQ(readWholeFile(csv()).value_or(""),
              "\xC5r\tLanafo\tLankod\tLan\tAFOnr\tAFO\tJaktarea\tLandarea\tArea"
              "\tCCDensity\tDensity\tCCSlope\r\n" +
                  line + line);

    const std::string missing = (t.dir.path / "no" / "such" / "GlobalCC.csv").string();
    EXPECT_FALSE(writeGlobalCC(a(), missing));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Kunde inte skriva till filen: " + missing);
}

TEST_F(Batch, TheAreaWalkWritesALinePerAreaAfterItsStartYears) {
    struct Case {
        int harvestYears, startYears;
    } cases[] = {{12, 7}, {6, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.harvestYears);
        service.answers["vildosql.php"] = test::statisticsAnswer(c.harvestYears);
        std::filesystem::remove(csv());
        t.prompts.messages.clear();
        a().GlobalCCFile = csv();
        a().InfoFlags[2] = 0;
        a().InfoFlags[5] = 0;
        setChecked(a(), C::chk_trimming, true);
        // The fake areas' observed harvest and calves per cow: every search converges at once.
        freezeModel(3.2, 0.62);
        ASSERT_TRUE(areaItemClick(a(), 2, 0));
        EXPECT_EQ(a().pos(C::Combo_Startyear), c.startYears - 1);
        Scheduler(a()).runUntil([&] { return !calibrationRunning(a()); });

        ASSERT_EQ(t.prompts.messages, std::vector<std::string>{"Klar!"});
        const std::string text = readWholeFile(csv()).value_or("");
        size_t lines = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(lines, 3u);  // the header and the two areas of the menu
        EXPECT_EQ(a().LanAFO.I_Afo, 1u);
        for (int p = 1; p <= c.startYears; ++p) EXPECT_EQ(a().Statistics[p].CC, a().pos(C::Trk_barkraftovrig)) << p;
        EXPECT_EQ(a().CCCount, 2);
        EXPECT_DOUBLE_EQ(a().Header.AreaCCSlope, 0);
    }
}

TEST_F(Batch, AnAreaWhoseSearchGivesUpGetsALineWithoutEstimateAndTheWalkGoesOn) {
    a().GlobalCCFile = csv();
    a().InfoFlags[2] = 0;
    a().InfoFlags[5] = 0;
    setChecked(a(), C::chk_trimming, true);
    // Far less harvest than the observed 3.2 and the observed calves per cow: no row of the step table applies.
    freezeModel(0.5, 0.62);

    // Side by side first: it leaves the state as it was for the walk through the timers.
    CarryingCapacityRequest request;
    request.threads = 2;
    request.service = [&] {
        auto s = std::make_unique<test::FakeDataService>();
        s->answers = service.answers;
        return s;
    };
    EXPECT_EQ(runCarryingCapacityBatch(a(), request), CarryingCapacityOutcome::Unestimated);
    const std::string sideBySide = readWholeFile(csv()).value_or("");
    const std::vector<std::string> sideBySideMessages = t.prompts.messages;
    std::filesystem::remove(csv());
    t.prompts.messages.clear();

    ASSERT_TRUE(areaItemClick(a(), 2, 0));
    Scheduler(a()).runUntil([&] { return !calibrationRunning(a()); });
    const std::string gaveUp =
        "Lyckades inte beräkna vinterstammen för Testområdet (Lanafo 302), startår 2018. Svåra ingångsvärden. "
        "Området får en rad utan skattning och körningen fortsätter.";
    EXPECT_EQ(t.prompts.messages, (std::vector<std::string>{gaveUp, gaveUp, "Klar!"}));
    const std::string line =
        "2018\t302\t3\tUppsala\t2\tTestomr\xE5"
        "det\t100000\t100000\t100\t\t\t\r\n";
    const std::string text = readWholeFile(csv()).value_or("");
    EXPECT_EQ(text.substr(text.find("\r\n") + 2), line + line);
    EXPECT_EQ(sideBySide, text);
    EXPECT_EQ(sideBySideMessages, t.prompts.messages);
}

TEST(BatchAreas, TheWalkTakesTheAreasInMenuOrderOverCountiesWithout) {
    auto walk = [](const CountyMenu& menu) {
        std::vector<std::pair<uint32_t, uint32_t>> items;
        for (const AreaItem& a : batchAreas(menu)) items.emplace_back(a.lan, a.afo);
        return items;
    };
    using Items = std::vector<std::pair<uint32_t, uint32_t>>;
    EXPECT_EQ(walk({{"A", {}}, {"B", {"b0", "b1"}}, {"C", {}}, {"D", {"d0"}}, {"E", {}}}),
              (Items{{1, 0}, {1, 1}, {3, 0}}));
    EXPECT_EQ(walk({{"A", {"a0"}}}), (Items{{0, 0}}));
    EXPECT_TRUE(walk({{"A", {}}, {"B", {}}}).empty());
    EXPECT_TRUE(walk({}).empty());
}

}  // namespace
}  // namespace vildo
