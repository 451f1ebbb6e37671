// Number formatting without a locale library: the locale's U+2212 and no-break space do not fit Windows-1252.
#include "util/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "util/errors.h"

namespace vildo {

namespace {

std::string withComma(std::string s) {
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

// Mantissa with p significant digits and a signed exponent: 12345.6 with p = 4 gives "1,235E+4".
std::string exponentForm(double value, int p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", p > 0 ? p - 1 : 0, value);
    std::string s(buf);
    auto e = s.find('E');
    std::string mant = s.substr(0, e);
    char sign = s[e + 1];
    std::string digits = s.substr(e + 2);
    while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
    return withComma(mant) + "E" + sign + digits;
}

}  // namespace

std::string fix(double value, int p, int d) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    // to_chars writes what "%.*f" writes (a negative d as printf's default of 6), digit for digit, without
    // printf's multi-precision arithmetic: the labels are formatted on every season of every calibration.
    char buf[512];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, d < 0 ? 6 : d);
    if (ec != std::errc()) throw VildoError("Talet ryms inte i texten");
    std::string s(buf, end);
    // Digits of the integer part after rounding to d decimals decide the form.
    size_t start = (s[0] == '-') ? 1 : 0;
    size_t dot = s.find('.');
    size_t intDigits = (dot == std::string::npos ? s.size() : dot) - start;
    if (intDigits > static_cast<size_t>(p) && !(intDigits == 1 && s[start] == '0')) return exponentForm(value, p);
    if (s == "-0" || s.find_first_not_of("-0.") == std::string::npos) {
        if (s[0] == '-') s.erase(0, 1);  // no negative zero in a shown figure
    }
    return withComma(s);
}

std::string intStr(int64_t value) { return std::to_string(value); }

std::string grouped(double value, int d) {
    std::string s = fix(value, 30, d);
    size_t start = (s[0] == '-') ? 1 : 0;
    size_t comma = s.find(',');
    size_t end = comma == std::string::npos ? s.size() : comma;
    std::string out = s.substr(0, start);
    for (size_t i = start; i < end; ++i) {
        out += s[i];
        size_t left = end - i - 1;
        if (left > 0 && left % 3 == 0) out += ' ';
    }
    return out + s.substr(end);
}

}  // namespace vildo
