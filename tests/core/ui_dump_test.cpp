// Golden files of everything the window shows: after the first start's equilibrium run and after three
// seasons.
#include "ui/ui_dump.h"

#include <gtest/gtest.h>

#include <string>

#include "app/dispatch.h"
#include "app/season_driver.h"
#include "support/golden.h"
#include "support/test_app.h"

namespace vildo {
namespace {

TEST(UiDump, AfterTheFirstStartsEquilibrium) {
    test::TestApp t(12345, 2026);
    t.startAndSettle();
    test::expectGolden(uiDumpJson(*t), "ui_equilibrium.json");
}

TEST(UiDump, AfterThreeSeededSeasons) {
    test::TestApp t(4711, 2026);
    t.startAndSettle();
    for (int k = 0; k < 3; ++k) dispatch(*t, [&] { SpeedButton1Click(*t); });
    ASSERT_EQ(t->YearNo, 3);
    EXPECT_TRUE(t.prompts.messages.empty()) << t.prompts.messages.front();
    test::expectGolden(uiDumpJson(*t), "ui_three_seasons.json");
}

}  // namespace
}  // namespace vildo
