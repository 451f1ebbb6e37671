#include "answers.h"

#include "area/service_text.h"
#include "util/parse.h"

namespace vildo::service {

namespace {

struct BadRequest : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const std::string& param(const Params& p, const char* key) {
    auto it = p.find(key);
    if (it == p.end()) throw BadRequest(std::string("nyckeln ") + key + " saknas");
    return it->second;
}

int intParam(const Params& p, const char* key) {
    auto v = serviceInt(param(p, key));
    if (!v) throw BadRequest(std::string("nyckeln ") + key + " ska vara ett heltal");
    return *v;
}

double realParam(const Params& p, const char* key) {
    auto v = parseReal(param(p, key));
    if (!v) throw BadRequest(std::string("nyckeln ") + key + " ska vara ett decimaltal");
    return *v;
}

// The value, or a refusal naming the key when it lies outside lo..hi.
template <class T>
T within(T v, T lo, T hi, const char* key) {
    if (!(v >= lo && v <= hi))
        throw BadRequest(std::string("nyckeln ") + key + " ska ligga mellan " + decimalText(lo, 1) + " och " +
                         decimalText(hi, 1));
    return v;
}

void requireSource(const Params& p, const char* key) {
    if (param(p, key) != kDataSource) throw BadRequest("okänd datakälla");
}

std::string fitFields(const FitRecord& f, char sep) {
    return decimalText(f.r2, 4) + sep + decimalText(f.startDens, 3) + sep + std::to_string(f.forage) + sep +
           decimalText(f.ccSlope, 3) + sep + decimalText(f.margin, 3);
}

Answer areaNames(ServiceDatabase& db, const Params& p) {
    int county = intParam(p, "a");
    requireSource(p, "d");
    auto name = db.countyName(county);
    std::vector<std::string> areas = db.areaNames(county);
    if (!name || areas.empty()) return {200, ""};
    std::string body = *name;
    for (const std::string& a : areas) body += "|" + a;
    return {200, body};
}

Answer statistics(ServiceDatabase& db, const Params& p) {
    int county = intParam(p, "a"), index = intParam(p, "b");
    param(p, "c");
    requireSource(p, "d");
    int calf = intParam(p, "e"), bull = intParam(p, "f"), cow = intParam(p, "g");
    std::optional<AreaData> area = db.areaAt(county, index);
    if (!area) return {404, "Okänt område"};
    std::string body = answerText(*area);
    // The first start year is the area's second year: its cached result travels with the statistics.
    if (area->years.size() >= 2) {
        int firstStart = static_cast<int>(area->years[1][0].number);
        if (auto fit = db.bestFit(county, area->afonr(), firstStart, calf, bull, cow))
            body += ";R2|" + fitFields(*fit, '|');
    }
    return {200, body};
}

Answer cachedFit(ServiceDatabase& db, const Params& p) {
    int county = intParam(p, "a"), afonr = intParam(p, "b"), year = intParam(p, "c");
    requireSource(p, "d");
    int calf = intParam(p, "e"), bull = intParam(p, "f"), cow = intParam(p, "g");
    std::optional<FitRecord> fit = db.bestFit(county, afonr, year, calf, bull, cow);
    return {200, "R2;" + (fit ? fitFields(*fit, ';') : std::string("0;0;0;0;0"))};
}

constexpr const char* kNotBetter = "Inte registrerat: en bättre anpassning finns redan";

// A result is kept only when the program can take every value of it back (FitLimits); one that could not
// would spoil every later load of the area. It must also beat the fit kept for its setting.
Answer upload(ServiceDatabase& db, const Params& p) {
    using L = FitLimits;
    FitRecord f;
    f.r2 = within(realParam(p, "c"), 0.0, L::kFitMax, "c");
    f.forage = intParam(p, "d");
    f.startDens = realParam(p, "e");
    // f: county code × 100 + area number, followed directly by the four digits of the start year.
    const std::string& key = param(p, "f");
    if (key.size() < 5 || key.size() > 12 || key.find_first_not_of("0123456789") != std::string::npos)
        throw BadRequest("nyckeln f ska vara länskod*100+områdesnummer följt av startåret");
    long long area = std::stoll(key.substr(0, key.size() - 4));
    f.county = static_cast<int>(area / 100);
    f.afonr = static_cast<int>(area % 100);
    f.startYear = std::stoi(key.substr(key.size() - 4));
    requireSource(p, "g");
    f.ccSlope = realParam(p, "h");
    f.calfMort = within(intParam(p, "i"), 0, L::kCalfMortMax, "i");
    f.bullMort = within(intParam(p, "j"), 0, L::kBullMortMax, "j");
    f.cowMort = within(intParam(p, "k"), 0, L::kCowMortMax, "k");
    f.margin = realParam(p, "l");
    f.years = intParam(p, "m");
    // A fit of 0 keeps nothing of the rest, which the program sends as it stands (a start density of 0).
    if (f.r2 != 0) {
        within(f.forage, L::kForageMin, L::kForageMax, "d");
        within(f.startDens, L::kDensityMin, L::kDensityMax, "e");
        within(f.ccSlope, -L::kSlopeMax, L::kSlopeMax, "h");
        within(f.margin, 0.0, L::kMarginMax, "l");
        within(f.years, 1, L::kYearsMax, "m");
    }
    if (!db.areaExists(f.county, f.afonr)) return {404, "Okänt område"};
    // A fit of 0 asks for a new estimate: the results kept for that setting are forgotten.
    if (f.r2 == 0) {
        db.clearFits(f.county, f.afonr, f.startYear, f.calfMort, f.bullMort, f.cowMort);
        return {200, "Registrerat"};
    }
    // Only a better fit than the one kept replaces it.
    const auto kept = db.bestFit(f.county, f.afonr, f.startYear, f.calfMort, f.bullMort, f.cowMort);
    if (kept && f.r2 <= kept->r2) return {200, kNotBetter};
    db.recordFit(f);
    return {200, "Registrerat"};
}

}  // namespace

Answer answer(ServiceDatabase& db, const std::string& script, const Params& params) {
    try {
        if (script == "vildoAFOsql.php") return areaNames(db, params);
        if (script == "vildosql.php") return statistics(db, params);
        if (script == "vildosql_R2.php") return cachedFit(db, params);
        if (script == "vr2sql.php") return upload(db, params);
        return {404, "Okänt skript"};
    } catch (const BadRequest& e) {
        return {400, std::string("Felaktig förfrågan: ") + e.what()};
    }
}

}  // namespace vildo::service
