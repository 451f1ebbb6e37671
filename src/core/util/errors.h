// Errors raised by operations: a Swedish or toolkit message that reaches the caller's handler.
#pragma once
#include <cmath>
#include <stdexcept>
#include <string>

namespace vildo {

// An error an operation raises; its text is what the error dialogs show.
struct VildoError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The platform's arithmetic faults are not trapped in C++: these raise them explicitly.
inline double checkedDiv(double num, double den) {
    if (den == 0.0) throw VildoError("Division by zero");
    double r = num / den;
    if (std::isnan(r)) throw VildoError("Invalid floating point operation");
    return r;
}

inline double checkedValue(double v) {
    if (!std::isfinite(v)) throw VildoError("Invalid floating point operation");
    return v;
}

}  // namespace vildo
