#include <gtest/gtest.h>

#include "model/settings_file.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

TEST(SettingsFile, HoldsThePopulationHarvestMortalityAndTrailer) {
    test::TestApp t;
    t.start();
    ASSERT_TRUE(WriteSettings(*t));
    auto bytes = readWholeFile(std::filesystem::path(t->Paths.Appdata) / "Data.vrd");
    ASSERT_TRUE(bytes.has_value());
    ASSERT_EQ(bytes->size(), kSettingsFileSize);
    EXPECT_EQ(bytes->compare(0, sizeof(TPopulation), bytesOf(t->Pop)), 0);
    EXPECT_EQ(bytes->compare(2608, sizeof(THarvestByAge), bytesOf(t->Harvest)), 0);
    EXPECT_EQ(bytes->compare(3312, 8, bytesOf(t->CalfSummerMortality)), 0);
    EXPECT_EQ(bytes->compare(3328, 4, bytesOf(t->NatMortPctF)), 0);
    EXPECT_EQ(bytes->substr(3336), std::string("\x11Tjillllllevipppen\0\0", 20));
}

TEST(SettingsFile, NotWrittenWhileTheSummerStockIsEmpty) {
    test::TestApp t;
    t.start();
    auto file = std::filesystem::path(t->Paths.Appdata) / "Data.vrd";
    auto before = readWholeFile(file);
    std::fill(std::begin(t->Pop.FemSummer), std::end(t->Pop.FemSummer), 0.0);
    t->NatMortPctF = 6;
    EXPECT_FALSE(WriteSettings(*t));
    EXPECT_EQ(readWholeFile(file), before);
}

TEST(SettingsFile, AnUnwritableFolderIsReportedOnceAndTheProgramCarriesOn) {
    test::TestApp t;
    t.start();
    t->Paths.Appdata = (t.dir.path / "missing" / "deeper").string() + "/";
    EXPECT_FALSE(WriteSettings(*t));
    EXPECT_FALSE(WriteSettings(*t));
    int shown = 0;
    for (const auto& m : t.prompts.messages)
        shown += m == "Kan inte skriva till filen data.vrd som används för att att spara ner lokala inställningar!";
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(t->terminated);
}

}  // namespace
}  // namespace vildo
