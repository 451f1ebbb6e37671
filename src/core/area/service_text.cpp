#include "area/service_text.h"

#include <algorithm>

#include "util/errors.h"
#include "util/parse.h"

namespace vildo {

std::vector<std::string> splitStrict(const std::string& text, char sep, size_t maxParts) {
    const size_t pieces = static_cast<size_t>(std::count(text.begin(), text.end(), sep)) + 1;
    if (pieces > maxParts)
        throw VildoError("svaret har " + std::to_string(pieces) + " delar, högst " + std::to_string(maxParts) +
                         " tas emot");
    std::vector<std::string> parts;
    parts.reserve(pieces);
    size_t start = 0;
    for (;;) {
        size_t at = text.find(sep, start);
        if (at == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::optional<int32_t> serviceInt(const std::string& text) {
    auto v = parseInt(text);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(*v);
}

std::optional<double> serviceReal(const std::string& text) {
    if (text.find('.') != std::string::npos) return std::nullopt;
    return parseReal(text);
}

}  // namespace vildo
