#include <gtest/gtest.h>

#include <fstream>

#include "app/scheduler.h"
#include "support/test_app.h"
#include "ui/info_dialog.h"
#include "util/file_io.h"

namespace vildo {
namespace {

using test::TestApp;

std::filesystem::path infoFile(TestApp& t) { return std::filesystem::path(t->Paths.Appdata) / "Info.vrx"; }

TEST(InfoFlags, WithoutAFileFlagsUpTo49ShowAndFlag50DoesNot) {
    TestApp t;
    t.start();
    for (int i = 0; i < 50; ++i) EXPECT_EQ(t->InfoFlags[i], 1) << i;
    EXPECT_EQ(t->InfoFlags[50], 0);
}

TEST(InfoFlags, AShortFileIsReadAsFarAsItGoes) {
    TestApp t;
    std::ofstream(t.dir.path / "program" / "Info.vrx", std::ios::binary) << std::string("\x01\x00\x01", 3);
    t.start();
    EXPECT_EQ(t->InfoFlags[1], 0);
    EXPECT_EQ(t->InfoFlags[2], 1);
    EXPECT_EQ(t->InfoFlags[3], 1);
}

TEST(InfoFlags, TickingTheBoxOnTheWelcomeSilencesItFromTheNextStart) {
    TestApp first;
    first.prompts.infoTicks = {true};
    first.start();
    Scheduler(*first).runFor(1500);
    ASSERT_EQ(first.prompts.infos.size(), 1u);
    EXPECT_TRUE(first.prompts.infos[0].showBox);
    EXPECT_EQ(first.prompts.infos[0].text.rfind("Välkommen till Vildo AI älgsimulator \r\n\r\n", 0), 0u);
    auto bytes = readWholeFile(infoFile(first));
    ASSERT_TRUE(bytes.has_value());
    ASSERT_EQ(bytes->size(), 51u);
    EXPECT_EQ((*bytes)[1], 0);
    EXPECT_EQ((*bytes)[50], 0);
    EXPECT_EQ((*bytes)[0], 1);

    // The next start of the same installation reads the file and shows no welcome.
    TestApp second;
    std::filesystem::copy_file(infoFile(first), second.dir.path / "program" / "Info.vrx");
    second.start();
    Scheduler(*second).runFor(1500);
    EXPECT_TRUE(second.prompts.infos.empty());
}

TEST(InfoDialog, MessageZeroHasNoBoxAndNeverWritesFlags) {
    TestApp t;
    t.start();
    t.prompts.infoTicks = {true};
    Visainfo(*t, "Här ställer man värdet för övrig dödlighet.", "OK", 0);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_FALSE(t.prompts.infos[0].showBox);
    EXPECT_FALSE(std::filesystem::exists(infoFile(t)));
    EXPECT_FALSE(t->infoShowing);
}

TEST(InfoDialog, QuestionsAnswerTrueOnlyForOk) {
    TestApp t;
    t.start();
    t.prompts.questionAnswers = {true, false};
    EXPECT_TRUE(Visafraga(*t, "Ett scenario är inläst. Vill du verkligen återställa?", "OK", "Avbryt"));
    EXPECT_FALSE(Visafraga(*t, "Ett scenario är inläst. Vill du verkligen återställa?", "OK", "Avbryt"));
}

TEST(InfoDialog, QuestionWidthHasAFloorOf400) {
    EXPECT_EQ(questionClientWidth(200), 400);
    EXPECT_EQ(questionClientWidth(500), 530);
}

}  // namespace
}  // namespace vildo
