// Reading the data service's text answers: strict splitting and the number forms it writes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vildo {

// Splits on every separator, keeping empty pieces: "a||b" gives three, "" gives one empty piece. More than
// maxParts pieces is an error (VildoError), found before any piece is made.
std::vector<std::string> splitStrict(const std::string& text, char sep, size_t maxParts = SIZE_MAX);

// The limits of the service's answers, far above any real one, so that an answer cannot make the reader
// keep more than a few times its own size.
constexpr size_t kMaxAnswerLines = 1000;     // year lines of an area; counties of the country
constexpr size_t kMaxFieldsPerLine = 64;     // fields of a statistics line (at most 21 are read)
constexpr size_t kMaxAreasPerCounty = 1000;  // names in an area-name answer
constexpr size_t kMaxAreaNameBytes = 200;

// A whole number that fits 32 bits.
std::optional<int32_t> serviceInt(const std::string& text);

// A decimal number written with the locale's comma; a point makes it fail, as it would on a Swedish system.
std::optional<double> serviceReal(const std::string& text);

}  // namespace vildo
