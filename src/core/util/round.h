// Integer conversions of reals: Round (halves to even) and Trunc (towards zero).
#pragma once
#include <cmath>
#include <cstdint>

#include "util/errors.h"

namespace vildo {

inline int64_t Round(double x) {
    if (!std::isfinite(x) || std::fabs(x) > 9.2e18) throw VildoError("Invalid floating point operation");
    return static_cast<int64_t>(std::nearbyint(x));  // default rounding mode: to nearest, ties to even
}

inline int64_t Trunc(double x) {
    if (!std::isfinite(x) || std::fabs(x) > 9.2e18) throw VildoError("Invalid floating point operation");
    return static_cast<int64_t>(std::trunc(x));
}

}  // namespace vildo
