// Reading the data service's text answers: strict splitting and the number forms it writes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vildo {

// Splits on every separator, keeping empty pieces: "a||b" gives three, "" gives one empty piece.
std::vector<std::string> splitStrict(const std::string& text, char sep);

// A whole number that fits 32 bits.
std::optional<int32_t> serviceInt(const std::string& text);

// A decimal number written with the locale's comma; a point makes it fail, as it would on a Swedish system.
std::optional<double> serviceReal(const std::string& text);

}  // namespace vildo
