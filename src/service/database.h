// The service's SQLite database: counties, areas with their yearly statistics, and uploaded calibration
// results. Every statement is prepared; values are bound, never spliced into SQL.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "area_data.h"

struct sqlite3;

namespace vildo::service {

// One uploaded calibration result.
struct FitRecord {
    int county = 0, afonr = 0, startYear = 0;
    int calfMort = 0, bullMort = 0, cowMort = 0;
    double r2 = 0;
    int forage = 0;
    double startDens = 0, ccSlope = 0, margin = 0;
    int years = 0;
};

// What a kept result may hold: each value within the range of the control it is given back to. The
// forage setting and the start density (a tenth of the density control's position) return to their
// controls, the forage change is kept within the calibration's bounds, the fit is at most 1, the density
// margin is a density and the years counted are a count of yearly records.
struct FitLimits {
    static constexpr double kFitMax = 1;
    static constexpr int kForageMin = 1, kForageMax = 1000;
    static constexpr double kDensityMin = 0.1, kDensityMax = 30;
    static constexpr double kSlopeMax = 15;
    static constexpr double kMarginMax = 1000;
    static constexpr int kYearsMax = 1000;
    // Mortality keys: calf (summer + winter position), bull and cow positions.
    static constexpr int kCalfMortMax = 200, kBullMortMax = 10, kCowMortMax = 6;
};

class ServiceDatabase {
public:
    // Opens or creates the database; a new one gets the schema and the county table.
    explicit ServiceDatabase(const std::filesystem::path& file);
    ~ServiceDatabase();
    ServiceDatabase(const ServiceDatabase&) = delete;
    ServiceDatabase& operator=(const ServiceDatabase&) = delete;

    // True once the seed data set has been imported (or the attempt made).
    bool seeded();
    // Imports every "*.csv" of dir/areas in name order, in one transaction; marks the database seeded.
    size_t importSeed(const std::filesystem::path& dataDir);

    // Adds an area or replaces its header and yearly statistics; its uploaded results are kept.
    void importArea(const AreaData& area);

    std::optional<std::string> countyName(int code);
    // The county's areas in menu order (by area number).
    std::vector<std::string> areaNames(int county);
    // The area at a menu position of its county.
    std::optional<AreaData> areaAt(int county, int menuIndex);
    bool areaExists(int county, int afonr);

    void recordFit(const FitRecord& fit);
    // Forgets the results of one area, start year and mortality setting.
    void clearFits(int county, int afonr, int startYear, int calfMort, int bullMort, int cowMort);
    // The best fit (largest R2, the latest among equals) for that key; a kept result outside FitLimits
    // (written before uploads were checked) is passed over.
    std::optional<FitRecord> bestFit(int county, int afonr, int startYear, int calfMort, int bullMort, int cowMort);

private:
    void exec(const char* sql);
    sqlite3* db_ = nullptr;
};

}  // namespace vildo::service
