#include "database.h"

#include <sqlite3.h>

#include <algorithm>

#include "util/file_io.h"

namespace vildo::service {

namespace {

// The official county codes and the names the county menu shows.
constexpr std::pair<int, const char*> kCounties[] = {
    {1, "Stockholm"},        {3, "Uppsala"},         {4, "Södermanland"}, {5, "Östergötland"},  {6, "Jönköping"},
    {7, "Kronoberg"},        {8, "Kalmar"},          {10, "Blekinge"},    {12, "Skåne"},        {13, "Halland"},
    {14, "Västra Götaland"}, {17, "Värmland"},       {18, "Örebro"},      {19, "Västmanland"},  {20, "Dalarna"},
    {21, "Gävleborg"},       {22, "Västernorrland"}, {23, "Jämtland"},    {24, "Västerbotten"}, {25, "Norrbotten"},
    {26, "Nationellt"}};

const char* sqlType(Kind k) { return k == Kind::Int ? "INTEGER" : k == Kind::Real ? "REAL" : "TEXT"; }

template <size_t N>
std::string columnList(const std::array<Column, N>& cols) {
    std::string s;
    for (const Column& c : cols) s += std::string(s.empty() ? "" : ", ") + c.name;
    return s;
}

template <size_t N>
std::string placeholders() {
    std::string s;
    for (size_t i = 0; i < N; ++i) s += i ? ", ?" : "?";
    return s;
}

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr) != SQLITE_OK)
            throw DataError(std::string("SQL: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, int64_t v) { return check(sqlite3_bind_int64(st_, i, v)); }
    Statement& bind(int i, int v) { return bind(i, static_cast<int64_t>(v)); }
    Statement& bind(int i, double v) { return check(sqlite3_bind_double(st_, i, v)); }
    Statement& bind(int i, const std::string& v) {
        return check(sqlite3_bind_text(st_, i, v.c_str(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
    }
    Statement& bind(int i, const Field& f, Kind k) {
        if (f.null) return check(sqlite3_bind_null(st_, i));
        if (k == Kind::Text) return bind(i, f.text);
        if (k == Kind::Int) return bind(i, static_cast<int64_t>(f.number));
        return bind(i, f.number);
    }
    void reset() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    // True while a row is there.
    bool step() {
        int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw DataError(std::string("SQL: ") + sqlite3_errmsg(db_));
    }
    int64_t integer(int col) { return sqlite3_column_int64(st_, col); }
    double real(int col) { return sqlite3_column_double(st_, col); }
    std::string text(int col) {
        const unsigned char* t = sqlite3_column_text(st_, col);
        return t ? reinterpret_cast<const char*>(t) : "";
    }
    Field field(int col, Kind k) {
        Field f;
        if (sqlite3_column_type(st_, col) == SQLITE_NULL) return f;
        f.null = false;
        if (k == Kind::Text)
            f.text = text(col);
        else
            f.number = k == Kind::Int ? static_cast<double>(integer(col)) : real(col);
        return f;
    }

private:
    Statement& check(int rc) {
        if (rc != SQLITE_OK) throw DataError(std::string("SQL: ") + sqlite3_errmsg(db_));
        return *this;
    }
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

// A savepoint, so that an import inside the seed import nests: released by commit(), otherwise rolled back.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) {
        if (sqlite3_exec(db_, "SAVEPOINT tx", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DataError(std::string("SQL: ") + sqlite3_errmsg(db_));
    }
    ~Transaction() {
        if (!done_) sqlite3_exec(db_, "ROLLBACK TO tx", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE tx", nullptr, nullptr, nullptr);
    }
    void commit() { done_ = true; }

private:
    sqlite3* db_;
    bool done_ = false;
};

}  // namespace

ServiceDatabase::ServiceDatabase(const std::filesystem::path& file) {
    if (sqlite3_open(file.string().c_str(), &db_) != SQLITE_OK) {
        std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw DataError("Kan inte öppna databasen " + file.string() + ": " + why);
    }
    sqlite3_busy_timeout(db_, 5000);
    exec("PRAGMA foreign_keys = ON");
    std::string area = "CREATE TABLE IF NOT EXISTS area (id INTEGER PRIMARY KEY";
    for (const Column& c : kHeader) area += std::string(", ") + c.name + " " + sqlType(c.kind) + " NOT NULL";
    area += ", UNIQUE (lankod, afonr), FOREIGN KEY (lankod) REFERENCES county (code))";
    std::string year =
        "CREATE TABLE IF NOT EXISTS year_stat (area INTEGER NOT NULL REFERENCES area (id) ON DELETE CASCADE";
    for (const Column& c : kYear) year += std::string(", ") + c.name + " " + sqlType(c.kind);
    year += ", PRIMARY KEY (area, ar))";
    Transaction t(db_);
    exec("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)");
    exec("CREATE TABLE IF NOT EXISTS county (code INTEGER PRIMARY KEY, name TEXT NOT NULL)");
    exec(area.c_str());
    exec(year.c_str());
    exec(
        "CREATE TABLE IF NOT EXISTS fit (id INTEGER PRIMARY KEY, lankod INTEGER NOT NULL, afonr INTEGER NOT NULL, "
        "startar INTEGER NOT NULL, kalvdodlighet INTEGER NOT NULL, tjurdodlighet INTEGER NOT NULL, "
        "kododlighet INTEGER NOT NULL, r2 REAL NOT NULL, foder INTEGER NOT NULL, starttathet REAL NOT NULL, "
        "foderforandring REAL NOT NULL, marginal REAL NOT NULL, ar INTEGER NOT NULL, "
        "registrerad TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)");
    exec(
        "CREATE INDEX IF NOT EXISTS fit_key ON fit (lankod, afonr, startar, kalvdodlighet, tjurdodlighet, "
        "kododlighet)");
    for (const auto& [code, name] : kCounties) {
        Statement s(db_, "INSERT OR IGNORE INTO county (code, name) VALUES (?, ?)");
        s.bind(1, code).bind(2, std::string(name)).step();
    }
    t.commit();
}

ServiceDatabase::~ServiceDatabase() { sqlite3_close(db_); }

void ServiceDatabase::exec(const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::string why = err ? err : "okänt fel";
        sqlite3_free(err);
        throw DataError("SQL: " + why);
    }
}

bool ServiceDatabase::seeded() {
    Statement s(db_, "SELECT 1 FROM meta WHERE key = 'seeded'");
    return s.step();
}

size_t ServiceDatabase::importSeed(const std::filesystem::path& dataDir) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dataDir / "areas", ec))
        if (e.path().extension() == ".csv") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    Transaction t(db_);
    for (const auto& f : files) {
        auto text = readWholeFile(f);
        if (!text) throw DataError("Kan inte läsa " + f.string());
        try {
            importArea(parseAreaCsv(*text));
        } catch (const DataError& e) {
            throw DataError(f.filename().string() + ": " + e.what());
        }
    }
    Statement(db_, "INSERT OR REPLACE INTO meta (key, value) VALUES ('seeded', ?)")
        .bind(1, std::to_string(files.size()))
        .step();
    t.commit();
    return files.size();
}

void ServiceDatabase::importArea(const AreaData& area) {
    if (!countyName(area.county())) throw DataError("okänd länskod " + std::to_string(area.county()));
    Transaction t(db_);
    int64_t id = -1;
    {
        Statement find(db_, "SELECT id FROM area WHERE lankod = ? AND afonr = ?");
        find.bind(1, area.county()).bind(2, area.afonr());
        if (find.step()) id = find.integer(0);
    }
    if (id < 0) {
        Statement ins(db_,
                      "INSERT INTO area (" + columnList(kHeader) + ") VALUES (" + placeholders<kHeaderColumns>() + ")");
        for (size_t i = 0; i < kHeaderColumns; ++i) ins.bind(static_cast<int>(i + 1), area.header[i], kHeader[i].kind);
        ins.step();
        id = sqlite3_last_insert_rowid(db_);
    } else {
        std::string sql = "UPDATE area SET ";
        for (size_t i = 0; i < kHeaderColumns; ++i) sql += std::string(i ? ", " : "") + kHeader[i].name + " = ?";
        Statement up(db_, sql + " WHERE id = ?");
        for (size_t i = 0; i < kHeaderColumns; ++i) up.bind(static_cast<int>(i + 1), area.header[i], kHeader[i].kind);
        up.bind(static_cast<int>(kHeaderColumns + 1), id).step();
        Statement(db_, "DELETE FROM year_stat WHERE area = ?").bind(1, id).step();
    }
    Statement ins(db_, "INSERT INTO year_stat (area, " + columnList(kYear) + ") VALUES (?, " +
                           placeholders<kYearColumns>() + ")");
    for (const auto& row : area.years) {
        ins.reset();
        ins.bind(1, id);
        for (size_t i = 0; i < kYearColumns; ++i) ins.bind(static_cast<int>(i + 2), row[i], kYear[i].kind);
        ins.step();
    }
    t.commit();
}

std::optional<std::string> ServiceDatabase::countyName(int code) {
    Statement s(db_, "SELECT name FROM county WHERE code = ?");
    s.bind(1, code);
    if (!s.step()) return std::nullopt;
    return s.text(0);
}

std::vector<std::string> ServiceDatabase::areaNames(int county) {
    Statement s(db_, "SELECT afo FROM area WHERE lankod = ? ORDER BY afonr");
    s.bind(1, county);
    std::vector<std::string> names;
    while (s.step()) names.push_back(s.text(0));
    return names;
}

std::optional<AreaData> ServiceDatabase::areaAt(int county, int menuIndex) {
    if (menuIndex < 0) return std::nullopt;
    Statement s(db_,
                "SELECT id, " + columnList(kHeader) + " FROM area WHERE lankod = ? ORDER BY afonr LIMIT 1 OFFSET ?");
    s.bind(1, county).bind(2, menuIndex);
    if (!s.step()) return std::nullopt;
    AreaData a;
    int64_t id = s.integer(0);
    for (size_t i = 0; i < kHeaderColumns; ++i) a.header[i] = s.field(static_cast<int>(i + 1), kHeader[i].kind);
    Statement y(db_, "SELECT " + columnList(kYear) + " FROM year_stat WHERE area = ? ORDER BY ar");
    y.bind(1, id);
    while (y.step()) {
        std::array<Field, kYearColumns> row;
        for (size_t i = 0; i < kYearColumns; ++i) row[i] = y.field(static_cast<int>(i), kYear[i].kind);
        a.years.push_back(row);
    }
    return a;
}

bool ServiceDatabase::areaExists(int county, int afonr) {
    Statement s(db_, "SELECT 1 FROM area WHERE lankod = ? AND afonr = ?");
    s.bind(1, county).bind(2, afonr);
    return s.step();
}

void ServiceDatabase::recordFit(const FitRecord& f) {
    Statement s(db_,
                "INSERT INTO fit (lankod, afonr, startar, kalvdodlighet, tjurdodlighet, kododlighet, r2, foder, "
                "starttathet, foderforandring, marginal, ar) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    s.bind(1, f.county).bind(2, f.afonr).bind(3, f.startYear).bind(4, f.calfMort).bind(5, f.bullMort);
    s.bind(6, f.cowMort).bind(7, f.r2).bind(8, f.forage).bind(9, f.startDens).bind(10, f.ccSlope);
    s.bind(11, f.margin).bind(12, f.years).step();
}

void ServiceDatabase::clearFits(int county, int afonr, int startYear, int calfMort, int bullMort, int cowMort) {
    Statement s(db_,
                "DELETE FROM fit WHERE lankod = ? AND afonr = ? AND startar = ? AND kalvdodlighet = ? AND "
                "tjurdodlighet = ? AND kododlighet = ?");
    s.bind(1, county).bind(2, afonr).bind(3, startYear).bind(4, calfMort).bind(5, bullMort).bind(6, cowMort).step();
}

std::optional<FitRecord> ServiceDatabase::bestFit(int county, int afonr, int startYear, int calfMort, int bullMort,
                                                  int cowMort) {
    Statement s(db_,
                "SELECT r2, foder, starttathet, foderforandring, marginal, ar FROM fit WHERE lankod = ? AND afonr = ? "
                "AND startar = ? AND kalvdodlighet = ? AND tjurdodlighet = ? AND kododlighet = ? "
                "AND r2 > 0 AND r2 <= ? AND foder BETWEEN ? AND ? AND starttathet BETWEEN ? AND ? "
                "AND foderforandring BETWEEN ? AND ? AND marginal BETWEEN 0 AND ? "
                "ORDER BY r2 DESC, id DESC LIMIT 1");
    s.bind(1, county).bind(2, afonr).bind(3, startYear).bind(4, calfMort).bind(5, bullMort).bind(6, cowMort);
    s.bind(7, FitLimits::kFitMax).bind(8, FitLimits::kForageMin).bind(9, FitLimits::kForageMax);
    s.bind(10, FitLimits::kDensityMin).bind(11, FitLimits::kDensityMax);
    s.bind(12, -FitLimits::kSlopeMax).bind(13, FitLimits::kSlopeMax).bind(14, FitLimits::kMarginMax);
    if (!s.step()) return std::nullopt;
    FitRecord f{county, afonr, startYear, calfMort, bullMort, cowMort};
    f.r2 = s.real(0);
    f.forage = static_cast<int>(s.integer(1));
    f.startDens = s.real(2);
    f.ccSlope = s.real(3);
    f.margin = s.real(4);
    f.years = static_cast<int>(s.integer(5));
    return f;
}

}  // namespace vildo::service
