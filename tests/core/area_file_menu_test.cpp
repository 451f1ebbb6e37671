// The area menu's file commands as the user meets them: what "Spara område" keeps of the start year in use,
// and the page "Öppna område" leaves on screen.
#include "app/area_file_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/area_loading.h"
#include "app/start_year.h"
#include "area/area_file.h"
#include "area_fakes.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

// A started program with a downloaded area of ten harvest years; no start year is selected yet.
class AreaFileMenu : public ::testing::Test {
protected:
    void SetUp() override {
        test::serveTestAreas(service, 10);
        t->dataService = &service;
        t.start();
        ASSERT_TRUE(NyttOmrade(*t, 2, 1));
        ASSERT_EQ(t->pos(C::Combo_Startyear), -1);
        file = (t.dir.path / "area.omr").string();
    }
    // The statistics records as the file holds them.
    std::vector<TStatistics> recordsInFile() {
        const std::string b = readWholeFile(file).value_or("");
        const size_t predatorBytes = 2 * 8 * t->Rov.Vargrevir.size();
        const size_t at = 5293 + predatorBytes;
        std::vector<TStatistics> out((b.size() - at) / sizeof(TStatistics));
        std::memcpy(out.data(), b.data() + at, out.size() * sizeof(TStatistics));
        return out;
    }
    test::FakeDataService service;
    test::TestApp t;
    std::string file;
};

bool sameRecord(const TStatistics& a, const TStatistics& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(AreaFileMenu, SavingKeepsTheDensityAndForageOnlyInTheSelectedStartYearsRecord) {
    struct Case {
        int startYearItem;
        int record;  // the record that takes the settings; -1: none (record 0 never holds a year)
    };
    const std::vector<TStatistics> downloaded = t->Statistics;
    for (Case c : {Case{-1, -1}, {0, 1}, {2, 3}}) {
        t->Statistics = downloaded;
        t->ctl(C::Combo_Startyear).position = c.startYearItem;
        setPosition(*t, C::Trk_density, 93);
        setPosition(*t, C::Trk_barkraftovrig, 245);
        ASSERT_TRUE(AreaWrite(*t, file));
        const std::vector<TStatistics> stored = recordsInFile();
        ASSERT_EQ(stored.size(), static_cast<size_t>(t->DataYears + 1));
        for (size_t p = 0; p < stored.size(); ++p) {
            EXPECT_TRUE(sameRecord(stored[p], t->Statistics[p])) << "item " << c.startYearItem << " record " << p;
            if (static_cast<int>(p) == c.record) {
                EXPECT_DOUBLE_EQ(stored[p].StartDens, 9.3) << "item " << c.startYearItem;
                EXPECT_EQ(stored[p].CC, 245) << "item " << c.startYearItem;
            } else {
                EXPECT_TRUE(sameRecord(stored[p], downloaded[p])) << "item " << c.startYearItem << " record " << p;
            }
        }
    }
}

TEST_F(AreaFileMenu, OpeningAFileShowsTheAreaPage) {
    ASSERT_TRUE(AreaWrite(*t, file));
    t->activeLeftPage = C::TabSheet9;
    t.prompts.fileAnswers = {file};
    ASSERT_TRUE(mnu_oppnaomradeClick(*t));
    EXPECT_EQ(t->activeLeftPage, C::TabSheet7);
    EXPECT_TRUE(t->ctl(C::TabSheet7).visible);
    EXPECT_FALSE(t->ctl(C::TabSheet6).visible);
}

// The predators the user set are the file's: opening it must not put the start window's recorded mean in
// their place.
TEST_F(AreaFileMenu, OpeningAFileKeepsItsPredatorsOverTheStartWindowsMean) {
    t->ctl(C::Combo_Startyear).position = 0;
    ASSERT_FALSE(t->Rov.Vargrevir.empty());
    for (size_t p = 1; p < t->Statistics.size(); ++p) {
        t->Statistics[p].varg = 1.5;
        t->Statistics[p].bjorn = 2;
    }
    std::fill(t->Rov.Vargrevir.begin(), t->Rov.Vargrevir.end(), 7.0);
    std::fill(t->Rov.Bjornpop.begin(), t->Rov.Bjornpop.end(), 9.0);
    ASSERT_TRUE(AreaWrite(*t, file));
    std::fill(t->Rov.Vargrevir.begin(), t->Rov.Vargrevir.end(), 0.0);
    std::fill(t->Rov.Bjornpop.begin(), t->Rov.Bjornpop.end(), 0.0);
    t.prompts.fileAnswers = {file};
    openAreaFile(*t);  // the menu item, and the start-year change it runs
    ASSERT_TRUE(t->AreaLoaded);
    ASSERT_FALSE(t->Rov.Vargrevir.empty());
    EXPECT_DOUBLE_EQ(t->Rov.Vargrevir[0], 7);
    EXPECT_DOUBLE_EQ(t->Rov.Bjornpop[0], 9);
}

}  // namespace
}  // namespace vildo
