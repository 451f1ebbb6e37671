// Number texts in the Swedish form the program shows and writes: decimal comma, ASCII minus.
#pragma once
#include <cstdint>
#include <string>

namespace vildo {

// Fixed-point with exactly d decimals; exponent form when the integer part needs more than p digits.
std::string fix(double value, int p, int d);

// An integer as text, like the toolkit's IntToStr.
std::string intStr(int64_t value);

// Fixed-point with d decimals and a space between thousands (for the few texts that group digits).
std::string grouped(double value, int d);

}  // namespace vildo
