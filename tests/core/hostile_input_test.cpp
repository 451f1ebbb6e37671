// Damaged and hostile inputs to every reader: cut files, values the model cannot hold, things that are not files.
// Each must be refused cleanly, with the state exactly as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <limits>

#include "app/area_loading.h"
#include "app/parameter_handlers.h"
#include "app/scenarios.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "area/area_file.h"
#include "area/county_table.h"
#include "area/data_service.h"
#include "area/http_data_service.h"
#include "area/statistics_answer.h"
#include "area_fakes.h"
#include "hunt/season.h"
#include "model/parameters.h"
#include "model/state_files.h"
#include "support/test_app.h"
#include "ui/info_dialog.h"
#include "ui/labels.h"
#include "util/file_io.h"

namespace vildo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kHostileReals[] = {kNaN, kInf, -kInf, -1e6, 1e308};

void writeBytes(const std::filesystem::path& f, const std::string& b) {
    std::ofstream(f, std::ios::binary | std::ios::trunc).write(b.data(), static_cast<std::streamsize>(b.size()));
}

template <class T>
void put(std::string& b, size_t at, T v) {
    std::memcpy(b.data() + at, &v, sizeof v);
}

std::string damaged(const std::string& file) { return "Filen " + file + " är skadad eller har fel format."; }

// One value written over a field of a good file.
struct Poke {
    const char* what;
    std::function<void(std::string&)> edit;
};

// Offsets of the snapshot record's blocks.
constexpr size_t kSnapGoals = 3312, kSnapFec = 3360, kSnapCalfPercent = 3464, kSnapSummer = 3468;
constexpr size_t kSnapFemaleCalfShare = 3628, kSnapCalfSummerMort = 3636, kSnapWinter = 3652;
constexpr size_t kSnapCalvesPerCow = 3788, kSnapHarvestTot = 3796, kSnapEnc = 3900, kSnapLand = 3932;
constexpr size_t kSnapHeader = 4004, kSnapMaxTries = 4136, kSnapEncounterRate = 4164, kSnapGrid = 4172;
constexpr size_t kSnapSliders = 5189;

// The double fields of the snapshot that each hostile real is tried in.
const std::pair<const char*, size_t> kSnapshotReals[] = {
    {"FemWinter[3]", offsetof(TPopulation, FemWinter) + 3 * 8},
    {"MaleSummer[0]", offsetof(TPopulation, MaleSummer)},
    {"Fecundity[5]", offsetof(TPopulation, Fecundity) + 5 * 8},
    {"FemWeight[4]", 2608 + offsetof(THarvestByAge, FemWeight) + 4 * 8},
    {"FecundityFactor", kSnapFec},
    {"SummerStock", kSnapSummer + offsetof(TSummerTotals, SummerStock)},
    {"FemaleCalfShare", kSnapFemaleCalfShare},
    {"CalfSummerMortality", kSnapCalfSummerMort},
    {"WinterStock", kSnapWinter + offsetof(TWinterTotals, WinterStock)},
    {"CalvesPerCow", kSnapCalvesPerCow},
    {"TotalShot", kSnapHarvestTot + offsetof(THarvestTotals, TotalShot)},
    {"CowRisk", kSnapEnc + offsetof(TEncounters, CowRisk)},
    {"ForageFactor", kSnapLand + offsetof(TLandUse, ForageFactor)},
    {"YoungForestPct", kSnapLand + offsetof(TLandUse, YoungForestPct)},
    {"EncounterRate", kSnapEncounterRate},
};

std::vector<Poke> snapshotPokes() {
    std::vector<Poke> pokes;
    for (const auto& [field, at] : kSnapshotReals)
        for (double v : kHostileReals) pokes.push_back({field, [at, v](std::string& b) { put(b, at, v); }});
    auto poke = [&](const char* what, auto edit) { pokes.push_back({what, edit}); };
    poke("a calf quota of NaN", [](std::string& b) { put(b, kSnapGoals + offsetof(TGoals, CalfQuota), NAN); });
    poke("CalfPercent 101", [](std::string& b) { put<int32_t>(b, kSnapCalfPercent, 101); });
    poke("a negative mean age",
         [](std::string& b) { put(b, kSnapWinter + offsetof(TWinterTotals, MeanAgeWinterCows), -1.0); });
    poke("a negative cow-calf count", [](std::string& b) { put<int32_t>(b, offsetof(TPopulation, CowsTwins), -4); });
    poke("ImpedimentPct at the int limit", [](std::string& b) {
        put(b, kSnapLand + offsetof(TLandUse, ImpedimentPct), std::numeric_limits<int32_t>::max());
    });
    poke("OtherLandPct -5", [](std::string& b) { put<int32_t>(b, kSnapLand + offsetof(TLandUse, OtherLandPct), -5); });
    poke("AreaForage at the int limit", [](std::string& b) {
        put(b, kSnapHeader + offsetof(TAreaHeader, AreaForage), std::numeric_limits<int32_t>::max());
    });
    poke("a county name longer than its record",
         [](std::string& b) { b[kSnapHeader + offsetof(TAreaHeader, Lan)] = static_cast<char>(21); });
    poke("a goal cell longer than its record", [](std::string& b) { b[kSnapGrid + 11 * 4] = static_cast<char>(11); });
    poke("a negative encounter budget", [](std::string& b) { put<int32_t>(b, kSnapMaxTries, -1); });
    poke("a control position past its range",
         [](std::string& b) { put<int32_t>(b, kSnapSliders + 4 * SlotSexratio, 99); });
    return pokes;
}

// A program that has run three seasons after settling, and the scenario it saved.
class ScenarioFiles : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
        for (int i = 0; i < 3; ++i) SpeedButton1Click(*t);
        file = (t.dir.path / "plan.scn").string();
        ASSERT_TRUE(WriteSnapshot(*t, file, 0));
        good = *readWholeFile(file);
        ASSERT_EQ(good.size(), kSnapshotSize);
        // Something else in the state now, to see that none of it is replaced.
        t->HuntTry = 4321;
        before = snapshotBytes(*t);
        yearBefore = t->YearNo;
    }
    // The scenario load refused the file: nothing changed, nothing ran.
    void expectRefused(const std::string& what) {
        EXPECT_TRUE(snapshotBytes(*t) == before) << what;
        EXPECT_EQ(t->YearNo, yearBefore) << what;
        EXPECT_FALSE(t->ScenarioLoaded) << what;
        ASSERT_FALSE(t.prompts.messages.empty()) << what;
        EXPECT_EQ(t.prompts.messages.back(), "Kunde inte läsa in scenario.") << what;
    }
    void load() {
        t.prompts.messages.clear();
        t.prompts.fileAnswers = {file};
        Laddascenario1Click(*t);
    }
    // Each edit of the good file is refused as damaged, and nothing changes.
    void expectAllRefused(const std::vector<Poke>& pokes) {
        for (const Poke& p : pokes) {
            std::string b = good;
            p.edit(b);
            writeBytes(file, b);
            load();
            expectRefused(p.what);
            ASSERT_EQ(t.prompts.messages.size(), 2u) << p.what;
            EXPECT_EQ(t.prompts.messages[0], damaged(file)) << p.what;
        }
    }
    test::TestApp t;
    std::string file, good, before;
    int yearBefore = 0;
};

TEST_F(ScenarioFiles, TheRealFileLoads) {
    load();
    EXPECT_EQ(t.prompts.messages.back(), "Ett scenario har lästs in. ");
    EXPECT_TRUE(t->ScenarioLoaded);
}

TEST(SnapshotChecks, AStateNearExtinctionIsStillPlausible) {
    // A natural death rate divides by what is left of a class; a dying class gives rates far past 1.
    test::TestApp t;
    t.startAndSettle();
    t->Winter.NatRateBullsWinter = 1.6e12;
    t->Summer.NatRateCowsSummer = 3;
    EXPECT_TRUE(plausibleSnapshot(snapshotBytes(*t)));
    // Past 1 is a dying class; infinite or not a number is no rate at all.
    for (double hostile : {kNaN, kInf, -kInf}) {
        t->Winter.NatRateBullsWinter = hostile;
        EXPECT_FALSE(plausibleSnapshot(snapshotBytes(*t))) << hostile;
        t->Winter.NatRateBullsWinter = 1.6e12;
        t->Summer.NatRateCowsSummer = hostile;
        EXPECT_FALSE(plausibleSnapshot(snapshotBytes(*t))) << hostile;
        t->Summer.NatRateCowsSummer = 3;
    }
}

TEST_F(ScenarioFiles, EveryPrefixOfARealScenarioIsRefusedAndChangesNothing) {
    // Cut from the end, one byte at a time: truncating is cheap where rewriting is not.
    writeBytes(file, good);
    for (size_t n = good.size(); n-- > 0;) {
        std::filesystem::resize_file(file, n);
        load();
        expectRefused("prefix of " + std::to_string(n) + " bytes");
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
}

TEST_F(ScenarioFiles, HostileValuesAreRefusedAsDamagedAndChangeNothing) { expectAllRefused(snapshotPokes()); }

TEST_F(ScenarioFiles, ASnapshotWithoutAreaOrStockIsRefusedAsDamaged) {
    std::vector<Poke> pokes = {
        {"5281 zero bytes", [](std::string& b) { b.assign(kSnapshotSize, '\0'); }},
        {"no land area", [](std::string& b) { put<int32_t>(b, kSnapHeader + offsetof(TAreaHeader, Landarea), 0); }},
        {"no area in thousands", [](std::string& b) { put<int32_t>(b, kSnapshotSize - 4, 0); }},
        {"no summer stock",
         [](std::string& b) {
             for (size_t at : {offsetof(TPopulation, FemSummer), offsetof(TPopulation, MaleSummer)})
                 std::memset(b.data() + at, 0, kAges * sizeof(double));
         }},
    };
    expectAllRefused(pokes);
    // A link to a sparse file of zeros far larger than a record reads only the record.
    const auto sparse = t.dir.path / "sparse";
    std::ofstream(sparse, std::ios::binary).close();
    std::filesystem::resize_file(sparse, 10ull << 30);
    std::filesystem::remove(file);
    std::filesystem::create_symlink(sparse, file);
    load();
    expectRefused("a link to 10 GB of zeros");
}

TEST_F(ScenarioFiles, AYearSnapshotWithHostileValuesIsRefusedToo) {
    const std::string annual = (t.dir.path / "Annualstat.vrd").string();
    for (const Poke& p : snapshotPokes()) {
        std::string b = good;
        p.edit(b);
        writeBytes(annual, std::string(kSnapshotSlot, '\0') + b);
        t.prompts.messages.clear();
        EXPECT_FALSE(ReadSnapshot(*t, annual, kSnapshotSlot)) << p.what;
        EXPECT_TRUE(snapshotBytes(*t) == before) << p.what;
        ASSERT_EQ(t.prompts.messages.size(), 1u) << p.what;
        EXPECT_EQ(t.prompts.messages[0], damaged(annual)) << p.what;
    }
    EXPECT_THROW(applySnapshot(*t, std::string(kSnapshotSize, '\xff')), VildoError);
    EXPECT_TRUE(snapshotBytes(*t) == before);
}

// Runs a reader on another thread; a reader that blocks is released by a writer and reported.
template <class F>
void expectReturnsAtOnce(const std::filesystem::path& fifo, F&& read, const char* what) {
    auto done = std::async(std::launch::async, std::forward<F>(read));
    if (done.wait_for(std::chrono::seconds(20)) == std::future_status::ready) return done.get();
    ADD_FAILURE() << what << " blocked on a FIFO";
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    done.wait();
}

TEST_F(ScenarioFiles, AFifoNamedAsAScenarioIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((t.dir.path / "pipe.scn").c_str(), 0600), 0);
    file = (t.dir.path / "pipe.scn").string();
    expectReturnsAtOnce(
        file, [&] { load(); }, "the scenario load");
    expectRefused("a FIFO");
    expectReturnsAtOnce(
        file, [&] { EXPECT_FALSE(ReadSnapshot(*t, file, 0)); }, "the snapshot reader");
    EXPECT_TRUE(snapshotBytes(*t) == before);
}

TEST(FileReaders, RefuseWhatIsNotARegularFileAndReadNoMoreThanAsked) {
    test::TempDir dir;
    const std::filesystem::path fifo = dir.path / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& p : {fifo, dir.path}) {
        EXPECT_FALSE(isRegularFile(p));
        expectReturnsAtOnce(
            fifo, [&] { EXPECT_FALSE(readWholeFile(p)); }, "readWholeFile");
        expectReturnsAtOnce(
            fifo, [&] { EXPECT_FALSE(readFileUpTo(p, 10)); }, "readFileUpTo");
        expectReturnsAtOnce(
            fifo, [&] { EXPECT_FALSE(readBytesAt(p, 0, 1)); }, "readBytesAt");
    }
    // A large sparse file costs no disk; only the bytes asked for are read.
    const std::filesystem::path big = dir.path / "big";
    writeBytes(big, "abc");
    std::filesystem::resize_file(big, 300'000'000);
    EXPECT_TRUE(isRegularFile(big));
    EXPECT_EQ(readFileUpTo(big, 2), "ab");
    EXPECT_EQ(readFileUpTo(dir.path / "none", 2), std::nullopt);
    EXPECT_EQ(readBytesAt(big, 299'999'999, 1), std::string(1, '\0'));
    EXPECT_EQ(readBytesAt(big, 299'999'999, 2), std::nullopt);
}

TEST(InfoFileInput, AHugeInfoFileGivesItsFlagsAndAFifoTheDefaults) {
    test::TestApp t;
    t.start();
    const std::filesystem::path info = std::filesystem::path(t->Paths.Appdata) / "Info.vrx";
    writeBytes(info, std::string(3, '\0'));
    std::filesystem::resize_file(info, 300'000'000);
    readInfoFlags(*t);
    EXPECT_EQ(t->InfoFlags[0], 0);
    EXPECT_EQ(t->InfoFlags[50], 0);  // a longer file sets every flag

    std::filesystem::remove(info);
    ASSERT_EQ(::mkfifo(info.c_str(), 0600), 0);
    expectReturnsAtOnce(
        info, [&] { readInfoFlags(*t); }, "the information flags");
    EXPECT_EQ(t->InfoFlags[0], 1);
    EXPECT_EQ(t->InfoFlags[50], 0);
}

// Offsets of the area file's fixed blocks.
constexpr size_t kAreaLand = 128, kAreaSliders = 200, kAreaPop = 288, kAreaFec = 288 + 2608 + 704 + 48;
constexpr size_t kAreaSummer = kAreaFec + 104 + 4, kAreaFemaleCalfShare = kAreaSummer + 160;
constexpr size_t kAreaRovAt = kAreaFixedSize - 16;

// A started program with a downloaded area whose seasons have run, and the area file it saved.
class AreaFileInput : public ::testing::Test {
protected:
    void SetUp() override {
        test::serveTestAreas(service, 10);
        t->dataService = &service;
        t.start();
        ASSERT_TRUE(NyttOmrade(*t, 2, 1));
        t->Rov.Vargrevir = {1, 2, 0.5};
        t->Rov.Bjornpop = {3, 4, 5};
        file = (t.dir.path / "area.omr").string();
        ASSERT_TRUE(AreaWrite(*t, file));
        good = *readWholeFile(file);
        statsAt = kAreaFixedSize + 8 + 2 * 3 * 8;
        // Something else loaded now, to see that none of it is replaced.
        service.answers["vildosql.php"] = test::statisticsAnswer(6);
        ASSERT_TRUE(NyttOmrade(*t, 2, 0));
        before = areaFileBytes(*t);
    }
    test::FakeDataService service;
    test::TestApp t;
    std::string file, good, before;
    size_t statsAt = 0;
};

TEST_F(AreaFileInput, EveryPrefixOfARealAreaFileIsRefusedAndChangesNothing) {
    writeBytes(file, good);
    for (size_t n = good.size(); n-- > 0;) {
        std::filesystem::resize_file(file, n);
        t.prompts.messages.clear();
        EXPECT_FALSE(AreaRead(*t, file)) << n;
        EXPECT_TRUE(areaFileBytes(*t) == before) << n;
        EXPECT_EQ(t.prompts.messages.size(), 1u) << n;
        if (HasFailure()) return;
    }
    writeBytes(file, good);
    EXPECT_TRUE(AreaRead(*t, file));
    EXPECT_TRUE(areaFileBytes(*t) == good);
}

TEST_F(AreaFileInput, HostileValuesAreRefusedAsDamagedAndChangeNothing) {
    std::vector<Poke> pokes;
    const std::pair<const char*, size_t> reals[] = {
        {"FemSummer[2]", kAreaPop + offsetof(TPopulation, FemSummer) + 2 * 8},
        {"FecundityFactor", kAreaFec},
        {"FemaleCalfShare", kAreaFemaleCalfShare},
        {"AreaCCSlope", offsetof(TAreaHeader, AreaCCSlope)},
        {"CarryingCapacity", kAreaLand + offsetof(TLandUse, CarryingCapacity)},
        {"a wolf count", kAreaFixedSize + 8},
        {"a bear count", kAreaFixedSize + 8 + 3 * 8 + 8},
        {"obs of a year", statsAt + 8 + 3 * sizeof(TStatistics) + offsetof(TStatistics, obs)},
        {"StartDens of a year", statsAt + 8 + 2 * sizeof(TStatistics) + offsetof(TStatistics, StartDens)},
    };
    for (const auto& [field, at] : reals)
        for (double v : kHostileReals) pokes.push_back({field, [at, v](std::string& b) { put(b, at, v); }});
    auto poke = [&](const char* what, auto edit) { pokes.push_back({what, edit}); };
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    poke("OtherLandPct at the int limit",
         [](std::string& b) { put(b, kAreaLand + offsetof(TLandUse, OtherLandPct), kMax); });
    poke("ImpedimentPct below zero",
         [](std::string& b) { put<int32_t>(b, kAreaLand + offsetof(TLandUse, ImpedimentPct), -1); });
    poke("AreaForage at the int limit", [](std::string& b) { put(b, offsetof(TAreaHeader, AreaForage), kMax); });
    poke("an area name longer than its record",
         [](std::string& b) { b[offsetof(TAreaHeader, AFO)] = static_cast<char>(200); });
    poke("a start year past the records",
         [](std::string& b) { put<int32_t>(b, kAreaSliders + 4 * SlotStartyear, 40); });
    poke("a negative wolf kill count", [](std::string& b) { put<int32_t>(b, kAreaRovAt + 8, -3); });
    poke("a year of -1", [&](std::string& b) { put<int32_t>(b, statsAt + 8 + sizeof(TStatistics), -1); });
    // Absurd but finite values of every kind of field: counts, weights, predators and land.
    const size_t year2 = statsAt + 8 + 2 * sizeof(TStatistics);
    auto yearInt = [&](const char* what, size_t field, int32_t v) {
        poke(what, [=](std::string& b) { put(b, year2 + field, v); });
    };
    yearInt("-5 000 000 bulls shot", offsetof(TStatistics, tjur), -5000000);
    yearInt("-5 000 000 cows shot", offsetof(TStatistics, ko), -5000000);
    yearInt("more calves shot than the area holds", offsetof(TStatistics, kalv), 50000000);
    yearInt("negative traffic kills", offsetof(TStatistics, TrafikOkand), -1);
    yearInt("more young forest than land", offsetof(TStatistics, ungskog), kMax);
    auto yearReal = [&](const char* what, size_t field, double v) {
        poke(what, [=](std::string& b) { put(b, year2 + field, v); });
    };
    yearReal("a bull weight of -1e9 kg", offsetof(TStatistics, tjurvikt), -1e9);
    yearReal("a calf weight of 1e9 kg", offsetof(TStatistics, kvigkalvvikt), 1e9);
    yearReal("1e9 wolves in a year", offsetof(TStatistics, varg), 1e9);
    yearReal("a bull share of 5", offsetof(TStatistics, tjurobs), 5);
    poke("1e9 wolves in the predator series", [](std::string& b) { put(b, kAreaFixedSize + 8, 1e9); });
    auto headerInt = [&](const char* what, size_t field, int32_t v) {
        poke(what, [=](std::string& b) { put(b, field, v); });
    };
    headerInt("a negative forest area", offsetof(TAreaHeader, HeaderInt1), -1);
    headerInt("a negative farmland area", offsetof(TAreaHeader, HeaderInt2), -1000);
    headerInt("negative other open land", offsetof(TAreaHeader, OtherLandHaA), -5);
    headerInt("more other open land than land", offsetof(TAreaHeader, OtherLandHaB), kMax);
    headerInt("negative unproductive land", offsetof(TAreaHeader, ImpedimentHa), -5000000);
    for (const Poke& p : pokes) {
        std::string b = good;
        p.edit(b);
        writeBytes(file, b);
        t.prompts.messages.clear();
        EXPECT_FALSE(AreaRead(*t, file)) << p.what;
        EXPECT_TRUE(areaFileBytes(*t) == before) << p.what;
        ASSERT_EQ(t.prompts.messages.size(), 1u) << p.what;
        EXPECT_EQ(t.prompts.messages[0], damaged(file)) << p.what;
    }
}

TEST_F(AreaFileInput, AFifoNamedAsAnAreaFileIsNotRead) {
    file = (t.dir.path / "pipe.omr").string();
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    expectReturnsAtOnce(
        file, [&] { EXPECT_FALSE(AreaRead(*t, file)); }, "the area reader");
    EXPECT_TRUE(areaFileBytes(*t) == before);
}

TEST_F(AreaFileInput, AnAnswerWithValuesTheModelCannotHoldIsRefusedAndChangesNothing) {
    struct Case {
        const char* what;
        int line;  // 0 = the header
        size_t field;
        const char* value;
    };
    const Case cases[] = {
        {"wolves of 1e308", 3, 19, "1e308"},
        {"bears of -1e6", 2, 20, "-1000000"},
        {"observations of -1e6", 4, 8, "-1e6"},
        {"a year past any record", 1, 0, "2147483647"},
        {"forage at the int limit", 0, 11, "2147483647"},
        {"a slope of 1e308", 0, 16, "1e308"},
        {"a negative hunting area", 0, 0, "-5"},
        {"-5 000 000 bulls shot", 2, 1, "-5000000"},
        {"-5 000 000 cows shot", 3, 2, "-5000000"},
        {"more calves shot than the area holds", 2, 4, "90000000"},
        {"a cow weight of -1e9 kg", 2, 12, "-1000000000"},
        {"1e9 wolves", 3, 19, "1000000000"},
        {"negative other open land", 0, 6, "-1"},
        {"negative unproductive land", 0, 8, "-250000"},
        {"a negative forest area", 0, 1, "-1"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> header = test::headerFields();
        std::string answer;
        for (int line = 0; line <= 7; ++line) {
            std::vector<std::string> f = line == 0 ? header : test::yearFields(2010 + line);
            if (line == c.line) f[c.field] = c.value;
            if (line) answer += ';';
            answer += test::joined(f, '|');
        }
        EXPECT_THROW(parseStatisticsAnswer(answer, t->Header), VildoError) << c.what;
        service.answers["vildosql.php"] = answer;
        EXPECT_FALSE(DownloadArea(*t, 3, 2, "1", "6", "1", "2")) << c.what;
        EXPECT_TRUE(areaFileBytes(*t) == before) << c.what;
    }
    const std::string r2Lines[] = {"R2|1e308|5|220|0", "R2|0,8|-1e6|220|0", "R2|0,8|5|-220|0", "R2|0,8|5|220|1e300"};
    for (const std::string& r2 : r2Lines) {
        EXPECT_THROW(parseStatisticsAnswer(test::statisticsAnswer(6, 1, r2), t->Header), VildoError) << r2;
    }
    EXPECT_NO_THROW(parseStatisticsAnswer(test::statisticsAnswer(6, 1, "R2|0,8|5|220|0,01"), t->Header));
}

// Answers within the size cap made to cost the reader many times their size: every split is checked against
// the format's limits before a piece is made.
TEST_F(AreaFileInput, AnAnswerPastTheFormatsLimitsIsRefusedBeforeItIsSplit) {
    const std::string semicolons(HttpDataService::kMaxAnswerBytes, ';'), bars(HttpDataService::kMaxAnswerBytes, '|');
    std::string manyYears = test::joined(test::headerFields(), '|');
    for (int y = 0; y < 1000; ++y) manyYears.append(";").append(test::joined(test::yearFields(2011 + y % 15), '|'));
    std::string wideLine = test::statisticsAnswer(6) + std::string(100, '|');
    const std::pair<const char*, const std::string*> answers[] = {
        {"only ;", &semicolons}, {"only |", &bars}, {"1001 lines", &manyYears}, {"a line of 120 fields", &wideLine}};
    for (const auto& [what, answer] : answers) {
        EXPECT_THROW(parseStatisticsAnswer(*answer, t->Header), VildoError) << what;
        EXPECT_FALSE(parseFitAnswer(*answer)) << what;
    }
    EXPECT_NO_THROW(parseStatisticsAnswer(test::statisticsAnswer(6), t->Header));

    std::string manyNames = "x";
    for (int i = 0; i < 1001; ++i) manyNames.append("|Område ").append(std::to_string(i));
    const std::string longName = "x|" + std::string(201, 'a');
    for (const std::string* names : {&bars, static_cast<const std::string*>(&manyNames), &longName}) {
        service.answers["vildoAFOsql.php"] = *names;
        t.prompts.messages.clear();
        EXPECT_FALSE(FetchAreaNames(*t)) << names->substr(0, 20);
        ASSERT_EQ(t.prompts.messages.size(), 1u);
        EXPECT_EQ(t.prompts.messages[0].rfind("Något gick fel då ÄFO-namn skulle läsas in.\r\nOrsak: ", 0), 0u)
            << t.prompts.messages[0];
    }
    service.answers["vildoAFOsql.php"] = "x|" + std::string(200, 'a') + "|Norra Uppland";
    EXPECT_TRUE(FetchAreaNames(*t));
}

// A lookup or an upload that the service answers with an error status: no cached fit, said as a note, and
// a failed upload whose message names the status.
TEST_F(AreaFileInput, AnErrorStatusIsNoCachedFitAndAFailedUploadNamesIt) {
    service.statuses["vildosql_R2.php"] = 500;
    const TStatistics slot = t->Statistics[1];
    EXPECT_FALSE(FetchFitCache(*t, 2012));
    EXPECT_TRUE(bytesOf(t->Statistics[1]) == bytesOf(slot));
    ASSERT_EQ(t.prompts.notes.size(), 1u);
    EXPECT_EQ(t.prompts.notes[0],
              "Datatjänsten svarade med status 500 på frågan om en sparad kalibrering: ingen "
              "sparad kalibrering används.");
    EXPECT_TRUE(t.prompts.messages.empty());

    service.statuses["vr2sql.php"] = 503;
    EXPECT_FALSE(SendFitResult(*t, FitUpload{"0,8000"}));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Något gick fel R2 värde skulle uppdateras. Datatjänsten svarade med status 503.");
}

TEST_F(AreaFileInput, ACachedFitTheModelCannotUseIsNoCachedFit) {
    EXPECT_TRUE(parseFitAnswer("R2;0,8;5;220;0,01;0,5"));
    const char* hostile[] = {"R2;1e308;5;220;0,01;0,5",      "R2;0,8;-1e6;220;0,01;0,5", "R2;0,8;5;-1;0,01;0,5",
                             "R2;0,8;5;2147483647;0,01;0,5", "R2;0,8;5;220;1e300;0,5",   "R2;0,8;5;220;0,01;-1e308"};
    const TStatistics slot = t->Statistics[1];
    for (const char* answer : hostile) {
        EXPECT_FALSE(parseFitAnswer(answer)) << answer;
        service.answers["vildosql_R2.php"] = answer;
        EXPECT_FALSE(FetchFitCache(*t, 2012)) << answer;
        EXPECT_TRUE(bytesOf(t->Statistics[1]) == bytesOf(slot)) << answer;
    }
}

TEST(EncounterBudget, AStateThatSlipsThroughCannotRunTheSeasonAway) {
    test::TestApp t;
    t.startAndSettle();
    Scheduler(*t).runFor(1500);
    SpeedButton1Click(*t);
    // As a damaged state would leave it: a budget of many thousand encounters per animal.
    t->EncounterRate = 50000;
    SpeedButton1Click(*t);
    EXPECT_GT(t->Summer.SummerStock, 0);
    EXPECT_LE(t->MaxTries, 10 * t->Summer.SummerStock);
    EXPECT_LE(t->HuntTry, t->MaxTries);
}

TEST(LandUse, PercentagesAtTheIntLimitAreSummedWithoutOverflow) {
    test::TestApp t;
    t.startAndSettle();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    t->Land.OtherLandPct = kMax;
    t->Land.ImpedimentPct = kMax;
    t->SeasonStarted = false;
    trk_ungskogChange(*t);
    EXPECT_EQ(t->Land.YoungForestPct, 100 - 2.0 * kMax);
    t->Land.ForestPct = kMax;
    Labels(*t);
    EXPECT_EQ(t->StringGrid1.cell(1, 7), "Ungskog: --");
}

}  // namespace
}  // namespace vildo
