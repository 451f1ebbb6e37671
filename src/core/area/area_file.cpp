#include "area/area_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "area/area_state.h"
#include "area/statistics.h"
#include "model/parameters.h"
#include "model/population.h"
#include "model/record_checks.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr const char* kReadFailed = "Kan inte öppna fil på disk som används för att ladda in årsdata!";
constexpr const char* kWriteFailed = "Kan inte skriva till fil på disk som används för att spara in årsdata!";

// The fixed blocks in file order; the same walk writes and reads them.
template <class App, class F>
void forEachFixedBlock(App& a, F&& f) {
    f(a.Header);
    f(a.Land);
    f(a.Sliders);
    f(a.Pop);
    f(a.Harvest);
    f(a.Goals);
    f(a.Fec);
    f(a.CalfPercent);
    f(a.Summer);
    f(a.FemaleCalfShare);
    f(a.CalfSummerMortality);
    f(a.CalfWinterMortality);
    f(a.Winter);
    f(a.CalvesPerCow);
    f(a.HarvestTot);
    f(a.Enc);
    f(a.HuntTry);
    f(a.MaxTries);
    f(a.ShotWeights);
    f(a.EncounterRate);
    f(a.Grid2Cells);
    f(a.Rov.Vargmortalitet);
    f(a.Rov.Bjornmortalitet);
    f(a.Rov.Vargdodade);
    f(a.Rov.Bjorndodade);
}

// The fixed blocks as they lie in the file, to be checked before any of them reaches the state.
#pragma pack(push, 1)
struct AreaFixedRecord {
    TAreaHeader Header;
    TLandUse Land;
    TSliderValues Sliders;
    TPopulation Pop;
    THarvestByAge Harvest;
    TGoals Goals;
    TFecundityState Fec;
    int32_t CalfPercent;
    TSummerTotals Summer;
    double FemaleCalfShare;
    double CalfSummerMortality;
    double CalfWinterMortality;
    TWinterTotals Winter;
    double CalvesPerCow;
    THarvestTotals HarvestTot;
    TEncounters Enc;
    int32_t HuntTry;
    int32_t MaxTries;
    TShotWeights ShotWeights;
    double EncounterRate;
    TGrid2Cells Grid2Cells;
    struct {
        int32_t Vargmortalitet, Bjornmortalitet, Vargdodade, Bjorndodade;
    } Rov;
};
#pragma pack(pop)
static_assert(sizeof(AreaFixedRecord) == kAreaFixedSize);

// More years of predators or statistics than any area will have; it bounds what is read.
constexpr int64_t kMaxAreaRecords = 10000;
constexpr size_t kAreaMaxSize =
    kAreaFixedSize + 8 + 2 * 8 * kMaxAreaRecords + 8 + sizeof(TStatistics) * kMaxAreaRecords;

int32_t int32At(const std::string& b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

template <class T>
std::vector<T> arrayAt(const std::string& b, size_t at, size_t count) {
    std::vector<T> v(count);
    if (count) std::memcpy(v.data(), b.data() + at, count * sizeof(T));
    return v;
}

template <class T>
void appendArray(std::string& b, const std::vector<T>& v, size_t count) {
    std::vector<T> padded(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(std::min(count, v.size())));
    padded.resize(count);
    if (count) b.append(reinterpret_cast<const char*>(padded.data()), count * sizeof(T));
}

// Called on a file whose counts agree with its size.
bool plausibleArea(const std::string& b) {
    AreaFixedRecord r;
    std::memcpy(&r, b.data(), sizeof r);
    const size_t n = static_cast<size_t>(int32At(b, kAreaFixedSize));
    const size_t statsAt = kAreaFixedSize + 8 + 2 * n * 8;
    const int32_t m = int32At(b, statsAt);
    const auto predators = arrayAt<double>(b, kAreaFixedSize + 8, 2 * n);
    const auto statistics = arrayAt<TStatistics>(b, statsAt + 8, static_cast<size_t>(m));
    const int32_t startYear = r.Sliders.Slots[SlotStartyear];
    const double hectares = boundingHectares(r.Header);
    auto rovCount = [](int32_t v) { return v >= 0 && v <= kMaxAnimals; };
    return plausibleModelBlocks(r) && startYear < m && rovCount(r.Rov.Vargmortalitet) &&
           rovCount(r.Rov.Bjornmortalitet) && rovCount(r.Rov.Vargdodade) && rovCount(r.Rov.Bjorndodade) &&
           std::all_of(predators.begin(), predators.end(),
                       [&](double count) { return plausiblePredators(count, hectares); }) &&
           std::all_of(statistics.begin(), statistics.end(),
                       [&](const TStatistics& s) { return plausible(s, hectares); });
}

}  // namespace

std::string areaFileBytes(const AreaState& app) {
    std::string b;
    forEachFixedBlock(app, [&](const auto& record) { b += bytesOf(record); });
    const int32_t n = static_cast<int32_t>(app.Rov.Vargrevir.size());
    const int32_t m = app.DataYears + 1;
    b += bytesOf(n);
    b += bytesOf(static_cast<int32_t>(n * 8));
    appendArray(b, app.Rov.Vargrevir, n);
    appendArray(b, app.Rov.Bjornpop, n);
    b += bytesOf(m);
    b += bytesOf(static_cast<int32_t>(m * static_cast<int32_t>(sizeof(TStatistics))));
    appendArray(b, app.Statistics, m);
    return b;
}

bool AreaWrite(AreaState& app, const std::string& file) {
    storetrkvalues(app);
    // The selected start year's record keeps the density and forage setting in use. Record 0 holds no year:
    // with no start year selected there is nothing to keep.
    const int64_t slot = static_cast<int64_t>(app.pos(C::Combo_Startyear)) + 1;
    if (slot >= 1 && slot < static_cast<int64_t>(app.Statistics.size())) {
        app.Statistics[slot].StartDens = app.pos(C::Trk_density) / 10.0;
        app.Statistics[slot].CC = app.pos(C::Trk_barkraftovrig);
    }
    if (!writeFileAtomic(file, areaFileBytes(app))) {
        app.prompts->message(kWriteFailed);
        return false;
    }
    return true;
}

bool AreaRead(AreaState& app, const std::string& file) {
    if (!isRegularFile(file)) return false;
    std::optional<std::string> bytes = readFileUpTo(file, kAreaMaxSize);
    // Everything is checked before anything is copied: a rejected file leaves the state as it was.
    auto valid = [&]() -> bool {
        if (!bytes || bytes->size() < kAreaFixedSize + 8) return false;
        const std::string& b = *bytes;
        const int64_t n = int32At(b, kAreaFixedSize), nBytes = int32At(b, kAreaFixedSize + 4);
        if (n < 0 || n > kMaxAreaRecords || nBytes != n * 8) return false;
        const uint64_t statsAt = kAreaFixedSize + 8 + 2 * static_cast<uint64_t>(nBytes);
        if (b.size() < statsAt + 8) return false;
        const int64_t m = int32At(b, statsAt), sBytes = int32At(b, statsAt + 4);
        if (m < 1 || m > kMaxAreaRecords || sBytes != m * static_cast<int64_t>(sizeof(TStatistics))) return false;
        if (b.size() < statsAt + 8 + static_cast<uint64_t>(sBytes)) return false;
        TAreaHeader h;
        std::memcpy(&h, b.data(), sizeof h);
        return h.Jaktarea > 0 && h.Landarea > 0;
    };
    if (!valid()) {
        app.prompts->message(kReadFailed);
        return false;
    }
    if (!plausibleArea(*bytes)) {
        app.prompts->message(damagedFileText(file));
        return false;
    }
    const std::string& b = *bytes;
    size_t at = 0;
    forEachFixedBlock(app, [&](auto& record) {
        std::memcpy(&record, b.data() + at, sizeof record);
        at += sizeof record;
    });
    const size_t n = static_cast<size_t>(int32At(b, kAreaFixedSize));
    app.Rov.Vargrevir = arrayAt<double>(b, kAreaFixedSize + 8, n);
    app.Rov.Bjornpop = arrayAt<double>(b, kAreaFixedSize + 8 + n * 8, n);
    const size_t statsAt = kAreaFixedSize + 8 + 2 * n * 8;
    const size_t m = static_cast<size_t>(int32At(b, statsAt));
    app.Statistics = arrayAt<TStatistics>(b, statsAt + 8, m);
    app.DataYears = app.Header.DataYears = static_cast<int32_t>(m - 1);
    app.ctl(C::mnu_Sparaomrade).enabled = true;
    return true;
}

}  // namespace vildo
