// The area-statistics data service as the core sees it: one GET of a script with a query, and the
// request forms and answers of its four scripts.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "util/errors.h"

namespace vildo {

struct AreaState;

// No usable answer: no connection, name lookup, timeout, an HTTP status other than 200, an answer too large.
struct ServiceError : VildoError {
    using VildoError::VildoError;
};
// The service answered, with a status other than 200.
struct ServiceStatusError : ServiceError {
    explicit ServiceStatusError(int s)
        : ServiceError("Datatjänsten svarade med status " + std::to_string(s)), status(s) {}
    int status;
};

class DataService {
public:
    virtual ~DataService() = default;
    // GET base + "produktion/" + script + "?" + query; the response body of a 200 answer.
    virtual std::string get(const std::string& script, const std::string& query) = 0;
    // The base address the scripts are asked at, for messages; empty when there is none to name.
    virtual std::string address() const { return {}; }
};

// The injected service's answer; without one every request fails as a lost connection would.
std::string serviceGet(AreaState& app, const std::string& script, const std::string& query);

// Queries, keys in the order the service expects.
std::string areaNamesQuery(int countyCode);
std::string statisticsQuery(int countyCode, int areaIndex, const std::string& c, const std::string& calfMort,
                            const std::string& bullMort, const std::string& cowMort);
std::string fitQuery(int lankod, int afonr, int startYear, int calfMort, int bullMort, int cowMort);

// One calibration result to upload ("vr2sql.php").
struct FitUpload {
    std::string fitText;  // the fit with 4 decimals, or "0"
    double forage = 0;    // forage setting at the start of the run
    double startDensity = 0;
    int lankod = 0, afonr = 0, startYear = 0;
    double ccSlope = 0;
    int calfMort = 0, bullMort = 0, cowMort = 0;
    double margin = 0;
    int years = 0;  // DataYears - start-year list index
};
std::string uploadQuery(const FitUpload& u);

// A cached calibration as "vildosql_R2.php" answers it.
struct FitCache {
    double R2 = 0, StartDens = 0;
    int32_t CC = 0;
    double CCSlope = 0, Error = 0;
};
// Nothing when the answer does not have that layout.
std::optional<FitCache> parseFitAnswer(const std::string& answer);

// The calf, bull and cow mortality positions as the statistics scripts send them.
int calfMortalityKey(const AreaState& app);

// Fetches the cache of a start year into its slot (position startYear - 2011); false when the request or
// the answer fails or the slot lies outside the statistics.
bool FetchFitCache(AreaState& app, int startYear);

// Uploads a result; true only for the answer "Registrerat". A failed request shows its message. The caller
// stores the fit in the start year's slot, whatever the answer.
bool SendFitResult(AreaState& app, const FitUpload& upload);

}  // namespace vildo
