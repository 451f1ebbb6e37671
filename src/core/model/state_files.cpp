#include "model/state_files.h"

#include <cstring>
#include <filesystem>

#include "model/parameters.h"
#include "model/record_checks.h"
#include "util/errors.h"
#include "util/file_io.h"

namespace vildo {

namespace {

static_assert(sizeof(TPopulation) + sizeof(THarvestByAge) + sizeof(TGoals) + sizeof(TFecundityState) + 4 +
                  sizeof(TSummerTotals) + 3 * 8 + sizeof(TWinterTotals) + 8 + sizeof(THarvestTotals) +
                  sizeof(TEncounters) + sizeof(TLandUse) + sizeof(TAreaHeader) + 4 + 4 + sizeof(TShotWeights) + 8 +
                  sizeof(TGrid2Cells) + sizeof(TTraffic) + sizeof(TSliderValues) + 4 ==
              kSnapshotSize);

// The blocks in file order; one table serves writing and reading.
template <class F>
void forEachBlock(ModelState& app, F&& f) {
    f(&app.Pop, sizeof app.Pop);
    f(&app.Harvest, sizeof app.Harvest);
    f(&app.Goals, sizeof app.Goals);
    f(&app.Fec, sizeof app.Fec);
    f(&app.CalfPercent, sizeof app.CalfPercent);
    f(&app.Summer, sizeof app.Summer);
    f(&app.FemaleCalfShare, sizeof app.FemaleCalfShare);
    f(&app.CalfSummerMortality, sizeof app.CalfSummerMortality);
    f(&app.CalfWinterMortality, sizeof app.CalfWinterMortality);
    f(&app.Winter, sizeof app.Winter);
    f(&app.CalvesPerCow, sizeof app.CalvesPerCow);
    f(&app.HarvestTot, sizeof app.HarvestTot);
    f(&app.Enc, sizeof app.Enc);
    f(&app.Land, sizeof app.Land);
    f(&app.Header, sizeof app.Header);
    f(&app.HuntTry, sizeof app.HuntTry);
    f(&app.MaxTries, sizeof app.MaxTries);
    f(&app.ShotWeights, sizeof app.ShotWeights);
    f(&app.EncounterRate, sizeof app.EncounterRate);
    f(&app.Grid2Cells, sizeof app.Grid2Cells);
    f(&app.Traffic, sizeof app.Traffic);
    f(&app.Sliders, sizeof app.Sliders);
    f(&app.AreaKha, sizeof app.AreaKha);
}

// The snapshot record as it lies in the file, to be checked before any of it reaches the state.
#pragma pack(push, 1)
struct SnapshotRecord {
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
    TLandUse Land;
    TAreaHeader Header;
    int32_t HuntTry;
    int32_t MaxTries;
    TShotWeights ShotWeights;
    double EncounterRate;
    TGrid2Cells Grid2Cells;
    TTraffic Traffic;
    TSliderValues Sliders;
    int32_t AreaKha;
};
#pragma pack(pop)
static_assert(sizeof(SnapshotRecord) == kSnapshotSize);

}  // namespace

bool plausibleSnapshot(const std::string& bytes) {
    if (bytes.size() != kSnapshotSize) return false;
    SnapshotRecord r;
    std::memcpy(&r, bytes.data(), kSnapshotSize);
    // The model divides by the area and by the stock: a record without either is no state of the model, such
    // as a file of zeros.
    double stock = 0;
    for (int a = 0; a < kAges; ++a) stock += r.Pop.FemSummer[a] + r.Pop.MaleSummer[a];
    return plausibleModelBlocks(r) && r.AreaKha > 0 && r.Header.Landarea > 0 && stock > 0;
}

std::string snapshotBytes(const ModelState& app) {
    std::string out;
    out.reserve(kSnapshotSize);
    forEachBlock(const_cast<ModelState&>(app),
                 [&](const void* p, size_t n) { out.append(static_cast<const char*>(p), n); });
    return out;
}

void applySnapshot(ModelState& app, const std::string& bytes) {
    if (!plausibleSnapshot(bytes)) throw VildoError("Read error");
    restoreSnapshot(app, bytes);
}

void restoreSnapshot(ModelState& app, const std::string& bytes) {
    if (bytes.size() != kSnapshotSize) throw VildoError("Read error");
    size_t at = 0;
    forEachBlock(app, [&](void* p, size_t n) {
        std::memcpy(p, bytes.data() + at, n);
        at += n;
    });
}

namespace {

// The record as written: the controls' positions are stored into it first.
std::string recordToWrite(ModelState& app) {
    app.AreaLoading = true;
    storetrkvalues(app);
    app.AreaLoading = false;
    return snapshotBytes(app);
}

}  // namespace

bool WriteSnapshot(ModelState& app, const std::string& file, uint64_t position) {
    if (!writeBytesAt(file, position, recordToWrite(app))) {
        app.prompts->message("Kan inte skriva till fil på disk som används för att spara in årsdata!");
        return false;
    }
    return true;
}

bool WriteScenario(ModelState& app, const std::string& file) {
    if (!writeFileAtomic(file, recordToWrite(app))) {
        app.prompts->message("Kan inte skriva till fil på disk som används för att spara in årsdata!");
        return false;
    }
    return true;
}

bool ReadSnapshot(ModelState& app, const std::string& file, uint64_t position) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return false;
    auto bytes = readBytesAt(file, position, kSnapshotSize);
    if (!bytes) {
        app.prompts->message("Kan inte öppna fil på disk som används för att ladda in årsdata!");
        return false;
    }
    if (!plausibleSnapshot(*bytes)) {
        app.prompts->message(damagedFileText(file));
        return false;
    }
    applySnapshot(app, *bytes);
    return true;
}

}  // namespace vildo
