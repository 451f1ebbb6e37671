#include "area_data.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "area/service_text.h"
#include "util/cp1252.h"
#include "util/format.h"
#include "util/parse.h"

namespace vildo::service {

const std::array<Column, kHeaderColumns> kHeader = {{
    {"jaktareal", Kind::Int},
    {"licensomraden", Kind::Int},
    {"skotselomraden", Kind::Int},
    {"landareal", Kind::Int},
    {"skogsmark", Kind::Int},
    {"jaktlag", Kind::Int},
    {"akermark", Kind::Int},
    {"ovrig_mark", Kind::Int},
    {"impediment", Kind::Int},
    {"vatten", Kind::Int},
    {"total_areal", Kind::Int},
    {"foder", Kind::Int},
    {"lankod", Kind::Int},
    {"lan", Kind::Text},
    {"afo", Kind::Text},
    {"afonr", Kind::Int},
    {"foderforandring", Kind::Real},
    {"latitud", Kind::Real},
    {"longitud", Kind::Real},
}};

const std::array<Column, kYearColumns> kYear = {{
    {"ar", Kind::Int},
    {"tjur", Kind::Int},
    {"ko", Kind::Int},
    {"tjurkalv", Kind::Int},
    {"kvigkalv", Kind::Int},
    {"totalt", Kind::Int},
    {"tjurandel_obs", Kind::Real},
    {"kalv_per_hondjur", Kind::Real},
    {"obs_per_timme", Kind::Real},
    {"ungskog", Kind::Int},
    {"registrerad_areal", Kind::Int},
    {"vikt_tjur", Kind::Int},
    {"vikt_ko", Kind::Int},
    {"vikt_tjurkalv", Kind::Int},
    {"vikt_kvigkalv", Kind::Int},
    {"trafik_tjur", Kind::Int},
    {"trafik_ko", Kind::Int},
    {"trafik_kalv", Kind::Int},
    {"trafik_okand", Kind::Int},
    {"vargrevir", Kind::Real},
    {"bjornar", Kind::Real},
}};

namespace {

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

Field readField(const std::string& raw, const Column& col, size_t line, size_t index, bool allowNull) {
    auto fail = [&](const std::string& why) -> DataError {
        return DataError("rad " + std::to_string(line) + ", fält " + std::to_string(index) + " (" + col.name +
                         "): " + why);
    };
    std::string t = raw;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    Field f;
    if (col.kind == Kind::Text) {
        if (t.empty()) throw fail("namnet saknas");
        if (t.find_first_of("|;") != std::string::npos) throw fail("namnet får inte innehålla | eller ;");
        f.null = false;
        f.text = t;
        return f;
    }
    if (t.empty() || t == "NULL") {
        if (!allowNull) throw fail("värdet saknas");
        return f;
    }
    if (col.kind == Kind::Int) {
        auto v = serviceInt(t);
        if (!v) throw fail("'" + t + "' är inte ett heltal");
        f.number = *v;
    } else {
        auto v = parseReal(t);
        if (!v) throw fail("'" + t + "' är inte ett decimaltal");
        f.number = *v;
    }
    f.null = false;
    return f;
}

}  // namespace

AreaData parseAreaCsv(const std::string& input) {
    const std::string text = validUtf8(input) ? input : fromCp1252(input);
    AreaData area;
    bool haveHeader = false;
    std::set<int> years;
    size_t lineNo = 0;
    for (std::string line : splitStrict(text, '\n')) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        std::vector<std::string> parts = splitStrict(line, ';');
        size_t need = haveHeader ? kYearColumns : kHeaderColumns;
        if (parts.size() != need)
            throw DataError("rad " + std::to_string(lineNo) + ": " + std::to_string(parts.size()) + " fält, " +
                            std::to_string(need) + " väntades");
        if (!haveHeader) {
            for (size_t i = 0; i < kHeaderColumns; ++i)
                area.header[i] = readField(parts[i], kHeader[i], lineNo, i, true);
            // The header is read without a NULL rule: a missing number is written as 0.
            for (Field& f : area.header) f.null = false;
            haveHeader = true;
            continue;
        }
        std::array<Field, kYearColumns> row;
        for (size_t i = 0; i < kYearColumns; ++i) row[i] = readField(parts[i], kYear[i], lineNo, i, i != 0);
        if (!years.insert(static_cast<int>(row[0].number)).second)
            throw DataError("rad " + std::to_string(lineNo) + ": året " + std::to_string(int(row[0].number)) +
                            " finns redan");
        area.years.push_back(row);
    }
    if (!haveHeader) throw DataError("filen saknar rubrikrad");
    if (area.county() < 1 || area.afonr() < 0) throw DataError("rubrikraden har ogiltig länskod eller områdesnummer");
    std::sort(area.years.begin(), area.years.end(),
              [](const auto& a, const auto& b) { return a[0].number < b[0].number; });
    return area;
}

std::string decimalText(double v, int decimals) {
    std::string s = fix(v, 15, decimals);
    if (s.find(',') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == ',') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string fieldText(const Field& f, Kind kind, int decimals) {
    if (kind == Kind::Text) return f.text;
    if (f.null) return "NULL";
    if (kind == Kind::Int) return intStr(static_cast<int64_t>(std::llround(f.number)));
    return decimalText(f.number, decimals);
}

namespace {

template <size_t N>
std::string joined(const std::array<Field, N>& fields, const std::array<Column, N>& cols, char sep, bool csv) {
    std::string s;
    for (size_t i = 0; i < N; ++i) {
        if (i) s += sep;
        if (!(csv && fields[i].null)) s += fieldText(fields[i], cols[i].kind);
    }
    return s;
}

}  // namespace

std::string formatAreaCsv(const AreaData& area) {
    std::string s = joined(area.header, kHeader, ';', true) + "\n";
    for (const auto& y : area.years) s += joined(y, kYear, ';', true) + "\n";
    return s;
}

std::string answerText(const AreaData& area) {
    std::string s = joined(area.header, kHeader, '|', false);
    for (const auto& y : area.years) s += ";" + joined(y, kYear, '|', false);
    return s;
}

}  // namespace vildo::service
