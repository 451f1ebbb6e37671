#include <gtest/gtest.h>

#include <fstream>

#include "app/scenarios.h"
#include "app/scheduler.h"
#include "model/state_files.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

class Scenarios : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
        file = (t.dir.path / "plan.scn").string();
    }
    test::TestApp t;
    std::string file;
};

TEST_F(Scenarios, SavedAndLoadedBackByteForByteThenTheNextYearRuns) {
    t->Goals.GoalCalvesPerCow = 0.8f;
    t.prompts.fileAnswers = {file};
    Sparascenario1Click(*t);
    ASSERT_TRUE(t.prompts.fileDialogs[0].overwritePrompt);
    EXPECT_EQ(t.prompts.fileDialogs[0].title, "Spara scenario till disk");
    EXPECT_EQ(t->Paths.Currentscn, t.dir.path.string() + "/");
    const std::string saved = *readWholeFile(file);
    ASSERT_EQ(saved.size(), kSnapshotSize);

    setPosition(*t, C::Trk_density, 150);
    t.settle();
    t->activeLeftPage = C::TabSheet9;
    t->activeRightPage = C::Rovdjur;
    t.prompts.fileAnswers = {file};
    Laddascenario1Click(*t);
    EXPECT_EQ(t.prompts.fileDialogs[1].title, "Ladda scenario till disk");
    EXPECT_EQ(t.prompts.messages.back(), "Ett scenario har lästs in. ");
    EXPECT_TRUE(t->ScenarioLoaded);
    EXPECT_EQ(t->Stringgrid5.cell(1, 1), "0,80");
    EXPECT_EQ(t->YearNo, 1);                     // the loaded state runs on into its next year
    EXPECT_EQ(t->activeLeftPage, C::TabSheet8);  // "Mål och Regler"
    EXPECT_EQ(t->activeRightPage, C::TabSheet1);
}

TEST_F(Scenarios, SavingOverALongerFileLeavesOnlyTheNewRecord) {
    std::ofstream(file, std::ios::binary) << std::string(20000, 'x');
    t.prompts.fileAnswers = {file};
    Sparascenario1Click(*t);
    EXPECT_EQ(readWholeFile(file), snapshotBytes(*t));
}

TEST_F(Scenarios, CancellingTheSaveDialogKeepsTheFolder) {
    const std::string before = t->Paths.Currentscn;
    Sparascenario1Click(*t);
    EXPECT_EQ(t->Paths.Currentscn, before);
}

TEST_F(Scenarios, AFileThatCannotBeReadIsReported) {
    std::ofstream(file, std::ios::binary) << "short";
    t.prompts.fileAnswers = {file};
    Laddascenario1Click(*t);
    EXPECT_EQ(t.prompts.messages.back(), "Kunde inte läsa in scenario.");
    EXPECT_FALSE(t->ScenarioLoaded);
}

}  // namespace
}  // namespace vildo
