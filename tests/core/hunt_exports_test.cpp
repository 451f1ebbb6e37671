#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/export_handlers.h"
#include "hunt/exports.h"
#include "hunt/hunt.h"
#include "support/test_app.h"
#include "util/cp1252.h"
#include "util/file_io.h"

namespace vildo {
namespace {

// A socket in a file's place exists, but no program can open it as a file, not even with root rights.
void bindSocketAt(const std::filesystem::path& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.native().size(), sizeof addr.sun_path);
    std::strcpy(addr.sun_path, path.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    ::close(fd);
    ASSERT_EQ(bound, 0);
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, ';');) out.push_back(f);
    return out;
}

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
    EXPECT_EQ(splitFields(line).at(15), "0");  // the bull share without adults
    EXPECT_NE(line.find(";0;0;0;0;"), std::string::npos);
    EXPECT_EQ(line.find("Ospecificerat;Ospecificerat;"), 5u);
}

TEST_F(Exports, JaktstatLineWithHistoricDataHoldsEveryFieldInItsPlace) {
    t->YearNo = 3;
    t->StartIndex = 2;
    t->StringGrid2.cell(3, 0) = "2031";
    setShort(t->Header.Lan, "Jämtland");
    setShort(t->Header.AFO, "Norra");
    TSummerTotals& s = t->Summer;
    s.SummerBulls = 101.4;
    s.SummerCows = 202.6;
    s.SummerAdults = 304;
    s.SummerStock = 500;
    s.SummerDensity = 12.34;
    s.SummerDeaths = 40.1;
    TWinterTotals& w = t->Winter;
    w.WinterBulls = 80.2;
    w.WinterCows = 150.7;
    w.WinterCalves = 120.5;  // halves go to even
    w.WinterDensity = 7.06;
    w.WinterDeaths = 60.2;
    THarvestTotals& h = t->HarvestTot;
    h.BullsShot = 31;
    h.CowsShot = 42;
    h.CalvesShot = 53;
    h.HarvestPerArea = 2.27;
    t->CalvesPerCow = 0.68;
    t->Rov.Vargdodade = 6;
    t->Rov.Bjorndodade = 7;
    t->Traffic.TrafficBulls = 1;
    t->Traffic.TrafficCows = 2;
    t->Traffic.TrafficCalves = 8;
    // The season's record is StartIndex + YearNo - 1; its neighbours hold other figures.
    t->Statistics.resize(std::max<size_t>(t->Statistics.size(), 6));
    for (size_t k : {3, 4, 5}) {
        TStatistics& st = t->Statistics[k];
        const double other = k == 4 ? 0 : 0.5;
        st.obs = 0.1234 + other;
        st.tjurobs = 0.4567 + other;
        st.reprod = 0.789 + other;
        st.TrafikTjur = 3;
        st.TrafikHondjur = 4;
        st.TrafikKalv = k == 4 ? 5 : 50;
    }
    t->ctl(C::chk_stats).position = 1;
    savetofile2(*t, "Forward");
    EXPECT_EQ(lines("Jaktstat.csv").at(1),
              "2031;Jämtland;Norra;101;203;196;12,3;80;151;120;7,1;31;42;53;2,3;0,33;0,68;0,123;0,46;0,79;12;6;7;76");
}

TEST_F(Exports, ALockedJaktstatIsReportedAndKeptAsItWas) {
    std::filesystem::create_directory(myDocs("Jaktstat.csv"));  // a folder in its place can never be replaced
    season(1);
    ASSERT_FALSE(t.prompts.messages.empty());
    EXPECT_EQ(t.prompts.messages.back(),
              "Kan inte skriva till fil. Kontrollera om filen Jaktstat.csv är öppen i annat program!");
    EXPECT_TRUE(std::filesystem::is_directory(myDocs("Jaktstat.csv")));
}

// Another program reading the file while a season is written goes on reading the old file, whole:
// the file is replaced, never rewritten in place.
TEST_F(Exports, AProgramReadingJaktstatKeepsTheOldCompleteFile) {
    season(1);
    season(2);
    const std::string old = readWholeFile(myDocs("Jaktstat.csv")).value();
    std::ifstream reader(myDocs("Jaktstat.csv"), std::ios::binary);
    ASSERT_TRUE(reader);
    season(3);
    std::stringstream seen;
    seen << reader.rdbuf();
    EXPECT_EQ(seen.str(), old);
    EXPECT_EQ(lines("Jaktstat.csv").size(), 4u);
}

TEST_F(Exports, ALockedBiodataIsReportedAndTheSeasonGoesOn) {
    std::filesystem::create_directory(myDocs("Biodata.csv"));  // a folder in its place can never be replaced
    t->ctl(C::chk_biodata).position = 1;                       // on, without probing the file
    t->SeasonStarted = true;
    t->MaxTries = 400;
    Planering(*t);
    EXPECT_EQ(t.prompts.messages,
              std::vector<std::string>{
                  "Kan inte skriva till fil. Kontrollera om filen Biodata.csv är öppen i annat program"});
    EXPECT_GT(t->HuntTry, 0);
    EXPECT_GT(t->Winter.WinterDeaths, 0);  // the winter after the hunt was computed
}

TEST_F(Exports, DemographyHasAHeaderAndTwentyClassLinesEndingInSeparators) {
    for (double* a : {t->Pop.FemSummer, t->Pop.MaleSummer, t->Pop.FemDeadSummer, t->Pop.MaleDeadSummer,
                      t->Pop.FemWinter, t->Pop.MaleWinter, t->Pop.FemDeadWinter, t->Pop.MaleDeadWinter})
        a[19] = 0;
    t->Harvest.FemShot[19] = t->Harvest.MaleShot[19] = 0;
    // Class 7 with a distinct value in every column.
    TPopulation& p = t->Pop;
    p.FemSummer[7] = 50.5;
    p.FemDeadSummer[7] = 1.25;
    p.MaleSummer[7] = 40.75;
    p.MaleDeadSummer[7] = 2.5;
    t->Harvest.FemShot[7] = 3.75;
    t->Harvest.MaleShot[7] = 4;
    p.FemWinter[7] = 30;
    p.FemDeadWinter[7] = 5.5;
    p.MaleWinter[7] = 20.25;
    p.MaleDeadWinter[7] = 6;
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
    std::vector<std::string> classLines;
    for (size_t at = 0, nl; (nl = text.find("\r\n", at)) != std::string::npos; at = nl + 2)
        classLines.push_back(text.substr(at, nl - at));
    ASSERT_EQ(classLines.size(), 21u);
    EXPECT_EQ(classLines[0], kDemographyHeader);
    EXPECT_EQ(classLines[1 + 7], "49,25;38,25;1,25;2,50;3,75;4,00;24,50;14,25;5,50;6,00;");
}

TEST_F(Exports, AnUnwritableDemographyFileIsAnErrorForTheCaller) {
    EXPECT_FALSE(savetofile(*t, (t.dir.path / "no" / "dir" / "x.csv").string()));
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

    // A file that cannot be opened switches its box off again.
    const std::pair<C, const char*> boxes[] = {{C::chk_save, "Jaktstat.csv"}, {C::chk_biodata, "Biodata.csv"}};
    for (const auto& [box, name] : boxes) {
        SCOPED_TRACE(name);
        setChecked(*t, box, false);
        std::filesystem::remove(myDocs(name));
        bindSocketAt(myDocs(name));
        t.prompts.messages.clear();
        t.prompts.infos.clear();
        setChecked(*t, box, true);
        EXPECT_EQ(t.prompts.messages,
                  std::vector<std::string>{"Filen kan inte öppnas! Kontrollera om den är öppen i annat program"});
        EXPECT_TRUE(t.prompts.infos.empty());
        EXPECT_FALSE(t->checked(box));
    }
}

}  // namespace
}  // namespace vildo
