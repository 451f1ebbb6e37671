// Parsing of numbers typed or delivered in the Swedish form (decimal comma).
#pragma once
#include <optional>
#include <string>

namespace vildo {

// A real with a decimal comma (a point is accepted too); blanks around it are allowed, nothing else.
std::optional<double> parseReal(const std::string& text);

// A whole number, optionally signed; blanks around it are allowed, nothing else.
std::optional<long long> parseInt(const std::string& text);

// The toolkit's StrToFloat/StrToInt: the conversion error text for a text that does not parse.
double strToFloat(const std::string& text);
long long strToInt(const std::string& text);

}  // namespace vildo
