#include "area/area_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "app/area_file_menu.h"
#include "app/area_loading.h"
#include "area_fakes.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

using test::FakeDataService;

std::string fileBytes(const std::filesystem::path& f) { return readWholeFile(f).value_or(""); }

int32_t int32At(const std::string& b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

void putInt32(std::string& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); }

void writeBytes(const std::filesystem::path& f, const std::string& b) {
    std::ofstream(f, std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
}

// A started program with a downloaded area of ten harvest years and the year under way.
class AreaFiles : public ::testing::Test {
protected:
    void SetUp() override {
        test::serveTestAreas(service, 10);
        t->dataService = &service;
        t.start();
        ASSERT_TRUE(NyttOmrade(*t, 2, 1));
        t.prompts.infos.clear();
        file = t.dir.path / "area.omr";
    }
    FakeDataService service;
    test::TestApp t;
    std::filesystem::path file;
};

TEST_F(AreaFiles, TheFileHoldsTheRecordsAtTheirOffsets) {
    t->Rov.Vargrevir = {1.5, 2, 0};
    t->Rov.Bjornpop = {4, 5, 6};
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    const std::string b = fileBytes(file);
    const size_t n = 3, bytes = n * 8, m = 11;
    ASSERT_EQ(b.size(), 5293 + 2 * bytes + m * 208);
    EXPECT_EQ(b.substr(0, 128), bytesOf(t->Header));
    EXPECT_EQ(b.substr(128, 72), bytesOf(t->Land));
    EXPECT_EQ(b.substr(200, 88), bytesOf(t->Sliders));
    EXPECT_EQ(b.substr(288, 2608), bytesOf(t->Pop));
    EXPECT_EQ(b.substr(3752, 4), bytesOf(t->CalfPercent));
    EXPECT_EQ(b.substr(4260, 1001), bytesOf(t->Grid2Cells));
    EXPECT_EQ(b.substr(5261, 4), bytesOf(t->Rov.Vargmortalitet));
    EXPECT_EQ(int32At(b, 5277), 3);
    EXPECT_EQ(int32At(b, 5281), 24);
    EXPECT_EQ(b.substr(5285, 8), bytesOf(1.5));
    EXPECT_EQ(b.substr(5285 + bytes, 8), bytesOf(4.0));
    EXPECT_EQ(int32At(b, 5285 + 2 * bytes), 11);
    EXPECT_EQ(int32At(b, 5289 + 2 * bytes), 11 * 208);
    EXPECT_EQ(b.substr(5293 + 2 * bytes + 208, 208), bytesOf(t->Statistics[1]));
}

TEST_F(AreaFiles, OnlyTheRecordsUpToTheLastHarvestYearAreStored) {
    ASSERT_EQ(t->Statistics.size(), 12u);  // the year under way is record 11
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    EXPECT_EQ(int32At(fileBytes(file), 5285 + 2 * 8 * t->Rov.Vargrevir.size()), t->DataYears + 1);
}

TEST_F(AreaFiles, SavingKeepsTheDensityAndForageInUseInTheSelectedStartYearsRecord) {
    t->ctl(C::Combo_Startyear).position = 2;
    setPosition(*t, C::Trk_density, 93);
    setPosition(*t, C::Trk_barkraftovrig, 245);
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    EXPECT_DOUBLE_EQ(t->Statistics[3].StartDens, 9.3);
    EXPECT_EQ(t->Statistics[3].CC, 245);
    EXPECT_EQ(t->Sliders.Slots[SlotDensity], 93);
}

TEST_F(AreaFiles, WrittenAndReadBackTheStateGivesTheSameBytes) {
    t->Rov.Vargrevir = {1.5, 2, 0, 3};
    t->Rov.Bjornpop = {4, 5, 6, 7.5};
    t->Pop.Padding[1] = 7;  // bytes without meaning travel too
    t->Header.Reserved1[2] = 9;
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    const std::string written = fileBytes(file);

    // Another state in between: a different area and model.
    service.answers["vildosql.php"] = test::statisticsAnswer(6);
    ASSERT_TRUE(NyttOmrade(*t, 2, 0));
    t->Pop.FemWinter[3] = 123;
    t->Rov.Vargrevir.assign(9, 1.0);

    ASSERT_TRUE(AreaRead(*t, file.string()));
    EXPECT_EQ(areaFileBytes(*t), written);
    EXPECT_EQ(t->DataYears, 10);
    EXPECT_EQ(t->Statistics.size(), 11u);
    EXPECT_EQ(t->Rov.Bjornpop, (std::vector<double>{4, 5, 6, 7.5}));
    EXPECT_TRUE(t->ctl(C::mnu_Sparaomrade).enabled);
}

TEST_F(AreaFiles, AnAreaWithoutPredatorYearsWritesTwoZeroCounts) {
    t->Rov.Vargrevir.clear();
    t->Rov.Bjornpop.clear();
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    const std::string b = fileBytes(file);
    EXPECT_EQ(int32At(b, 5277), 0);
    EXPECT_EQ(int32At(b, 5281), 0);
    EXPECT_EQ(int32At(b, 5285), 11);
    t->Rov.Vargrevir.assign(5, 2.0);
    t->Rov.Bjornpop.assign(5, 2.0);
    ASSERT_TRUE(AreaRead(*t, file.string()));
    EXPECT_TRUE(t->Rov.Vargrevir.empty());
    EXPECT_TRUE(t->Rov.Bjornpop.empty());
    AreaRefresh(*t);
    EXPECT_TRUE(t->charts[10].series[0].points.empty());
    EXPECT_EQ(t->charts[10].left.max, 10);
    EXPECT_EQ(t->charts[10].bottom.max, 2011 + 2);
}

TEST_F(AreaFiles, AHostileFileIsRejectedAndChangesNothing) {
    t->Rov.Vargrevir = {1, 2};
    t->Rov.Bjornpop = {3, 4};
    ASSERT_TRUE(AreaWrite(*t, file.string()));
    const std::string good = fileBytes(file);
    const size_t statsAt = 5285 + 2 * 16;
    auto edited = [&](auto edit) {
        std::string b = good;
        edit(b);
        return b;
    };
    const std::pair<const char*, std::string> hostile[] = {
        {"empty", ""},
        {"only the header", good.substr(0, 128)},
        {"cut inside the predators", good.substr(0, 5290)},
        {"last byte missing", good.substr(0, good.size() - 1)},
        {"B is not N x 8", edited([](std::string& b) { putInt32(b, 5281, 24); })},
        {"N = 0 with B = 16", edited([](std::string& b) { putInt32(b, 5277, 0); })},
        {"negative N", edited([](std::string& b) { putInt32(b, 5277, -2), putInt32(b, 5281, -16); })},
        {"huge N", edited([](std::string& b) { putInt32(b, 5277, 0x10000000), putInt32(b, 5281, 0x7FFFFFF8); })},
        {"S is not M x 208", edited([&](std::string& b) { putInt32(b, statsAt + 4, 11 * 208 - 1); })},
        {"M of 0", edited([&](std::string& b) { putInt32(b, statsAt, 0), putInt32(b, statsAt + 4, 0); })},
        {"M beyond the file",
         edited([&](std::string& b) { putInt32(b, statsAt, 12), putInt32(b, statsAt + 4, 12 * 208); })},
        {"no hunting area", edited([](std::string& b) { putInt32(b, 0, 0); })},
        {"Landarea = 0", edited([](std::string& b) { putInt32(b, 12, 0); })},
    };
    // Something else loaded now, to see that none of it is replaced.
    service.answers["vildosql.php"] = test::statisticsAnswer(6);
    ASSERT_TRUE(NyttOmrade(*t, 2, 0));
    const std::string before = areaFileBytes(*t);
    for (const auto& [what, bytes] : hostile) {
        writeBytes(file, bytes);
        t.prompts.messages.clear();
        EXPECT_FALSE(AreaRead(*t, file.string())) << what;
        EXPECT_EQ(areaFileBytes(*t), before) << what;
        ASSERT_EQ(t.prompts.messages.size(), 1u) << what;
        EXPECT_EQ(t.prompts.messages[0], "Kan inte öppna fil på disk som används för att ladda in årsdata!");
    }
}

TEST_F(AreaFiles, AMissingFileIsNotReadAndNothingIsSaid) {
    EXPECT_FALSE(AreaRead(*t, (t.dir.path / "none.omr").string()));
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(AreaFiles, AFileThatCannotBeWrittenIsReported) {
    EXPECT_FALSE(AreaWrite(*t, (t.dir.path / "no-such-folder" / "a.omr").string()));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Kan inte skriva till fil på disk som används för att spara in årsdata!");
}

TEST_F(AreaFiles, SaveAsksForAFileAndRemembersItsFolder) {
    t->Paths.Currentomr = "/start";
    mnu_SparaomradeClick(*t);  // cancelled
    ASSERT_EQ(t.prompts.fileDialogs.size(), 1u);
    const FileDialogRequest& r = t.prompts.fileDialogs[0];
    EXPECT_EQ(r.title, "Spara området till fil");
    EXPECT_EQ(r.initialDir, "/start");
    EXPECT_EQ(r.filter, "OMR-file|*.omr");
    EXPECT_EQ(r.defaultExt, "omr");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(t->Paths.Currentomr, "/start");  // a cancel keeps the folder

    t.prompts.fileAnswers.push_back(file.string());
    mnu_SparaomradeClick(*t);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(t->Paths.Currentomr, t.dir.path.string());
}

TEST_F(AreaFiles, OpenReadsTheFileAndShowsTheArea) {
    t->Rov.Vargrevir = {1, 2, 3};
    t->Rov.Bjornpop = {0, 0, 11};
    setPosition(*t, C::trk_sexratio, 51);
    ASSERT_TRUE(AreaWrite(*t, file.string()));

    test::TestApp fresh(1, 2016);
    fresh.start();
    fresh.prompts.fileAnswers.push_back(file.string());
    mnu_oppnaomradeClick(*fresh);
    const Vildo& a = *fresh;
    ASSERT_EQ(fresh.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(fresh.prompts.fileDialogs[0].title, "Hämta statistik för ett område");
    EXPECT_EQ(fresh.prompts.fileDialogs[0].filter, "OMR file|*.omr");
    EXPECT_TRUE(a.AreaLoaded);
    EXPECT_FALSE(a.AreaLoading);
    EXPECT_EQ(a.ctl(C::LOmrade).caption, "Område: Testområdet, Uppsala");
    EXPECT_EQ(a.LanAFO.S_Lan, "Uppsala");
    EXPECT_EQ(a.HuntAreaHa, 100000);
    EXPECT_EQ(a.AreaKha, 100);
    EXPECT_EQ(a.pos(C::trk_sexratio), 51);  // the controls come from the file
    EXPECT_EQ(a.StringGrid6.cell(1, 2), "51:49");
    EXPECT_TRUE(a.ctl(C::btn_nykalib).enabled);
    EXPECT_TRUE(a.ShowFit);
    EXPECT_TRUE(a.ctl(C::GroupBox1).visible);
    EXPECT_TRUE(a.charts[8].series[1].active);
    EXPECT_TRUE(a.charts[5].series[3].active);
    // Start years from record 2 to the last harvest year, none later than last year.
    EXPECT_EQ(a.ctl(C::Combo_Startyear).items,
              (std::vector<std::string>{"2012", "2013", "2014", "2015", "2015", "2015", "2015", "2015", "2015"}));
    EXPECT_EQ(a.pos(C::Combo_Startyear), 0);
    const Chart& predators = a.charts[10];
    ASSERT_EQ(predators.series[1].points.size(), 3u);
    EXPECT_EQ(predators.series[1].points[2].x, 2013);
    EXPECT_EQ(predators.series[1].points[2].y, 11);
    EXPECT_EQ(predators.bottom.min, 2011);
    EXPECT_EQ(predators.bottom.max, 2016);
    EXPECT_EQ(predators.right.max, 13);
    EXPECT_EQ(predators.left.max, 10);
    EXPECT_EQ(a.ctl(C::LAlgbonitetChange).caption, "Förändring älgbonitet: 0,23 % per år");  // 0.5 per 220
}

TEST_F(AreaFiles, AFailedOpenKeepsTheLoadedArea) {
    writeBytes(file, "too short");
    const std::string before = areaFileBytes(*t);
    t.prompts.fileAnswers.push_back(file.string());
    mnu_oppnaomradeClick(*t);
    EXPECT_TRUE(t->AreaLoaded);
    EXPECT_EQ(areaFileBytes(*t), before);
    EXPECT_EQ(t->ctl(C::LOmrade).caption, "Område: Testområdet, Uppsala län");
}

}  // namespace
}  // namespace vildo
