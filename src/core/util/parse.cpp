#include "util/parse.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "util/errors.h"

namespace vildo {

namespace {

std::string trimmed(const std::string& t) {
    size_t a = t.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    size_t b = t.find_last_not_of(" \t");
    return t.substr(a, b - a + 1);
}

}  // namespace

std::optional<double> parseReal(const std::string& text) {
    std::string s = trimmed(text);
    if (s.empty()) return std::nullopt;
    bool seenDigit = false, seenSep = false, seenExp = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            seenDigit = true;
        } else if ((c == ',' || c == '.') && !seenSep && !seenExp) {
            s[i] = '.';
            seenSep = true;
        } else if ((c == '+' || c == '-') && (i == 0 || s[i - 1] == 'E' || s[i - 1] == 'e')) {
        } else if ((c == 'E' || c == 'e') && seenDigit && !seenExp) {
            seenExp = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> parseInt(const std::string& text) {
    // A single digit, as the model reads every year, needs neither a copy nor strtoll.
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
    std::string s = trimmed(text);
    if (s.empty()) return std::nullopt;
    size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
    errno = 0;
    long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno == ERANGE) return std::nullopt;
    return v;
}

double strToFloat(const std::string& text) {
    if (auto v = parseReal(text)) return *v;
    throw VildoError("'" + text + "' is not a valid floating point value");
}

long long strToInt(const std::string& text) {
    if (auto v = parseInt(text)) return *v;
    throw VildoError("'" + text + "' is not a valid integer value");
}

}  // namespace vildo
