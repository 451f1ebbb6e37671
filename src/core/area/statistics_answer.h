// The answer of "vildosql.php" read into yearly records and an area header, without touching the state.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/records.h"

namespace vildo {

// The cached calibration of the first start year that the optional "R2" line carries.
struct R2Line {
    double R2 = 0, StartDens = 0;
    int32_t CC = 0;
    double CCSlope = 0;
};

struct ParsedArea {
    std::vector<TStatistics> Statistics;  // one record per answer line; element 0 stays zero
    int32_t DataYears = 0;
    TAreaHeader header{};
    std::optional<R2Line> r2;
};

// Lines on ";", fields on "|", both strict. Throws VildoError naming the line and field that do not read.
// The header's other bytes are kept from `base`.
ParsedArea parseStatisticsAnswer(const std::string& answer, const TAreaHeader& base);

}  // namespace vildo
