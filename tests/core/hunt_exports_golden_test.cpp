// The three exports of a fixed-seed run, byte for byte: Jaktstat.csv, Biodata.csv and the demography file.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "hunt/exports.h"
#include "support/golden.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

TEST(ExportsGolden, ThreeSeasonsFromAFixedSeed) {
    test::TestApp t(2024, 2026);
    t.startAndSettle();
    Scheduler(*t).runFor(1500);
    click(*t, C::Advanced);
    click(*t, C::Expertmode1);
    setChecked(*t, C::chk_save, true);
    setChecked(*t, C::chk_biodata, true);
    for (int k = 0; k < 3; ++k) dispatch(*t, [&] { SpeedButton1Click(*t); });
    ASSERT_EQ(t->YearNo, 3);
    const std::string demography = (t.dir.path / "demografi.csv").string();
    savetofile(*t, demography);
    ASSERT_TRUE(t.prompts.messages.empty()) << t.prompts.messages.front();
    const auto myDocs = std::filesystem::path(t->Paths.MyDocs);
    test::expectGolden(readWholeFile(myDocs / "Jaktstat.csv").value_or(""), "Jaktstat.csv");
    test::expectGolden(readWholeFile(myDocs / "Biodata.csv").value_or(""), "Biodata.csv");
    test::expectGolden(readWholeFile(demography).value_or(""), "demografi.csv");
}

}  // namespace
}  // namespace vildo
