// One management area's statistics as the service keeps, imports and answers them: a header line of 19
// fields and one line of 21 fields per year, in the order of the "vildosql.php" answer.
#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace vildo::service {

enum class Kind { Int, Real, Text };

struct Column {
    const char* name;  // the database column
    Kind kind;
};

constexpr size_t kHeaderColumns = 19;
constexpr size_t kYearColumns = 21;
extern const std::array<Column, kHeaderColumns> kHeader;
extern const std::array<Column, kYearColumns> kYear;

// Header fields the service itself uses.
enum HeaderField { HLankod = 12, HLan = 13, HAfo = 14, HAfonr = 15 };

struct Field {
    bool null = true;
    double number = 0;  // Int and Real; whole numbers for Int
    std::string text;   // Text
};

struct AreaData {
    std::array<Field, kHeaderColumns> header;
    std::vector<std::array<Field, kYearColumns>> years;  // ascending years

    int county() const { return static_cast<int>(header[HLankod].number); }
    int afonr() const { return static_cast<int>(header[HAfonr].number); }
    const std::string& name() const { return header[HAfo].text; }
};

struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An area file: UTF-8 (Windows-1252 is accepted too), one line per answer line, fields separated by ";",
// decimals with a comma or a point, empty or "NULL" for a missing yearly value, "#" starts a comment line.
// Throws DataError naming the line and field.
AreaData parseAreaCsv(const std::string& text);
std::string formatAreaCsv(const AreaData& area);

// The "vildosql.php" answer without its "R2" line: lines joined by ";", fields by "|".
std::string answerText(const AreaData& area);

// A field as the answers write it: whole numbers plain, decimals with a comma and at most `decimals`
// decimals, "NULL" for a missing value.
std::string fieldText(const Field& f, Kind kind, int decimals = 4);
std::string decimalText(double v, int decimals);

}  // namespace vildo::service
