// Golden files of everything the window shows: after the first start's equilibrium run and after three
// seasons. Set VILDO_UPDATE_GOLDEN=1 to rewrite them after an intended change, and review the diff.
#include "ui/ui_dump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hunt/season_driver.h"
#include "support/test_app.h"
#include "ui/dispatch.h"

namespace vildo {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) v.push_back(line);
    return v;
}

void expectGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(VILDO_TEST_DATA) + "/" + name;
    if (std::getenv("VILDO_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path << " (VILDO_UPDATE_GOLDEN=1 writes it)";
    std::stringstream expected;
    expected << in.rdbuf();
    const std::vector<std::string> want = lines(expected.str()), got = lines(actual);
    int shown = 0;
    for (size_t i = 0; i < std::max(want.size(), got.size()) && shown < 10; ++i) {
        const std::string w = i < want.size() ? want[i] : "<no line>";
        const std::string g = i < got.size() ? got[i] : "<no line>";
        if (w == g) continue;
        ++shown;
        ADD_FAILURE() << name << " line " << i + 1 << "\n  expected: " << w << "\n  actual:   " << g;
    }
}

TEST(UiDump, AfterTheFirstStartsEquilibrium) {
    test::TestApp t(12345, 2026);
    t.startAndSettle();
    expectGolden(uiDumpJson(*t), "ui_equilibrium.json");
}

TEST(UiDump, AfterThreeSeededSeasons) {
    test::TestApp t(4711, 2026);
    t.startAndSettle();
    for (int k = 0; k < 3; ++k) dispatch(*t, [&] { SpeedButton1Click(*t); });
    ASSERT_EQ(t->YearNo, 3);
    EXPECT_TRUE(t.prompts.messages.empty()) << t.prompts.messages.front();
    expectGolden(uiDumpJson(*t), "ui_three_seasons.json");
}

}  // namespace
}  // namespace vildo
