#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "hunt/exports.h"
#include "support/test_app.h"
#include "util/cp1252.h"
#include "util/file_io.h"

namespace vildo {
namespace {

class Exports : public ::testing::Test {
protected:
    void SetUp() override { t.startAndSettle(); }
    std::filesystem::path myDocs(const char* name) { return std::filesystem::path(t->Paths.MyDocs) / name; }
    std::vector<std::string> lines(const char* name) {
        std::vector<std::string> out;
        std::string bytes = readWholeFile(myDocs(name)).value_or("");
        size_t at = 0;
        while (at < bytes.size()) {
            size_t nl = bytes.find("\r\n", at);
            EXPECT_NE(nl, std::string::npos) << "every line ends with CRLF";
            if (nl == std::string::npos) break;
            out.push_back(fromCp1252(bytes.substr(at, nl - at)));
            at = nl + 2;
        }
        return out;
    }
    // A season "simulated": the driver's year counter and the year in the harvest table.
    void season(int year) {
        t->YearNo = year;
        t->StringGrid2.cell(std::min(year, 6), 0) = std::to_string(2025 + year);
        savetofile2(*t, "Forward");
    }
    test::TestApp t;
};

TEST_F(Exports, JaktstatGrowsAForwardLineAndLosesOneBackward) {
    season(1);
    auto l = lines("Jaktstat.csv");
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], kJaktstatHeader);
    season(2);
    season(3);
    EXPECT_EQ(lines("Jaktstat.csv").size(), 4u);
    t->YearNo = 2;
    savetofile2(*t, "Backward");
    l = lines("Jaktstat.csv");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[2].substr(0, 5), "2027;");
    t->YearNo = 1;  // back to the first season: a new run starts with the header alone
    savetofile2(*t, "Backward");
    EXPECT_EQ(lines("Jaktstat.csv"), std::vector<std::string>{kJaktstatHeader});
}

TEST_F(Exports, JaktstatLineHas24FieldsAndZerosWithoutHistory) {
    std::fill(std::begin(t->Pop.FemSummer), std::end(t->Pop.FemSummer), 0.0);
    t->Summer.SummerAdults = 0;
    season(1);
    std::string line = lines("Jaktstat.csv")[1];
    EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 23);
    EXPECT_NE(line.find(";0,00;"), std::string::npos);  // the bull share without adults
    EXPECT_NE(line.find(";0;0;0;0;"), std::string::npos);
    EXPECT_EQ(line.find("Ospecificerat;Ospecificerat;"), 5u);
}

TEST_F(Exports, ALockedJaktstatIsReportedAndKeptAsItWas) {
    std::filesystem::create_directory(myDocs("Jaktstat.csv"));  // a folder in its place can never be replaced
    season(1);
    ASSERT_FALSE(t.prompts.messages.empty());
    EXPECT_EQ(t.prompts.messages.back(),
              "Kan inte skriva till fil. Kontrollera om filen Jaktstat.csv är öppen i annat program!");
    EXPECT_TRUE(std::filesystem::is_directory(myDocs("Jaktstat.csv")));
}

TEST_F(Exports, DemographyHasAHeaderAndTwentyClassLinesEndingInSeparators) {
    for (double* a : {t->Pop.FemSummer, t->Pop.MaleSummer, t->Pop.FemDeadSummer, t->Pop.MaleDeadSummer,
                      t->Pop.FemWinter, t->Pop.MaleWinter, t->Pop.FemDeadWinter, t->Pop.MaleDeadWinter})
        a[19] = 0;
    t->Harvest.FemShot[19] = t->Harvest.MaleShot[19] = 0;
    std::string file = (t.dir.path / "demografi.csv").string();
    t.prompts.fileAnswers = {file};
    Sparadata1Click(*t);
    ASSERT_EQ(t.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(t.prompts.fileDialogs[0].title, "Spara demografisk data till disk");
    EXPECT_EQ(t.prompts.fileDialogs[0].filter, "CSV file|*.csv");
    std::string text = fromCp1252(*readWholeFile(file));
    EXPECT_EQ(text, demographyText(*t));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_NE(text.find("\r\n0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;\r\n"), std::string::npos);
}

TEST_F(Exports, AnUnwritableDemographyFileIsAnErrorForTheCaller) {
    EXPECT_THROW(savetofile(*t, (t.dir.path / "no" / "dir" / "x.csv").string()), VildoError);
}

TEST_F(Exports, SwitchingABoxOnProbesAnExistingFile) {
    setChecked(*t, C::chk_save, true);
    EXPECT_TRUE(t.prompts.infos.empty());  // no file yet: nothing shown
    setChecked(*t, C::chk_save, false);
    std::ofstream(myDocs("Jaktstat.csv")) << "x";
    setChecked(*t, C::chk_save, true);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text, "Jaktstat.csv kommer att sparas i mappen: " + t->Paths.MyDocs);
    EXPECT_TRUE(t->checked(C::chk_save));
}

}  // namespace
}  // namespace vildo
