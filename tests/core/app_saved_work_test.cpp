// What the exit asks about: the loaded work's changes since it was last read or saved.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/area_file_menu.h"
#include "app/area_loading.h"
#include "app/saved_work.h"
#include "app/scenarios.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "area_fakes.h"
#include "support/test_app.h"

namespace vildo {
namespace {

class SavedWork : public ::testing::Test {
protected:
    void SetUp() override {
        test::serveTestAreas(service, 10);
        t->dataService = &service;
        t.startAndSettle();
    }
    // Every timer runs out, then the window's step after each handler.
    void settle() {
        Scheduler(*t).runUntil([&] {
            return std::none_of(t->timers.begin() + 1, t->timers.end(), [](const Timer& x) { return x.enabled; });
        });
        settleSavedWork(*t);
    }
    test::FakeDataService service;
    test::TestApp t;
};

TEST_F(SavedWork, NothingToAskWithoutALoadedAreaEvenAfterSeasons) {
    SpeedButton1Click(*t);
    settle();
    EXPECT_FALSE(hasUnsavedWork(*t));
}

TEST_F(SavedWork, AFreshAreaIsSavedUntilASeasonRunsAndAgainOnceWrittenOrReadBack) {
    ASSERT_TRUE(NyttOmrade(*t, 2, 1));
    settle();
    EXPECT_FALSE(hasUnsavedWork(*t));
    const int year = t->YearNo;
    SpeedButton1Click(*t);
    settle();
    ASSERT_GT(t->YearNo, year);

    EXPECT_TRUE(hasUnsavedWork(*t));

    const std::string area = (t.dir.path / "a.omr").string();
    t.prompts.fileAnswers = {area};
    mnu_SparaomradeClick(*t);
    settle();
    EXPECT_FALSE(hasUnsavedWork(*t));
    EXPECT_EQ(t->recentFiles, std::vector<std::string>{area});

    setPosition(*t, C::Trk_density, t->pos(C::Trk_density) + 7);
    settle();
    EXPECT_TRUE(hasUnsavedWork(*t));
    // A cancelled save dialog saves nothing.
    t.prompts.fileAnswers = {std::nullopt};
    mnu_SparaomradeClick(*t);
    settle();
    EXPECT_TRUE(hasUnsavedWork(*t));

    const std::string scenario = (t.dir.path / "s.scn").string();
    t.prompts.fileAnswers = {scenario};
    Sparascenario1Click(*t);
    settle();
    EXPECT_FALSE(hasUnsavedWork(*t));
}

TEST(RecentFiles, TheLatestFirstWithoutRepeatsAndAtMostFive) {
    test::TestApp t;
    for (const char* f : {"a.omr", "b.scn", "c.omr", "a.omr", "d.omr", "e.omr", "f.scn"}) noteRecentFile(*t, f);
    EXPECT_EQ(t->recentFiles, (std::vector<std::string>{"f.scn", "e.omr", "d.omr", "a.omr", "c.omr"}));
}

}  // namespace
}  // namespace vildo
