// The charts' colours as 0xRRGGBB; those the window's design fixes and our choice for the rest.
#pragma once
#include <cstdint>

namespace vildo {

constexpr uint32_t kLightBlue = 0xA6CAF0;
constexpr uint32_t kGrey160 = 0xA0A0A4;
constexpr uint32_t kGrey128 = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kDarkGrey = 0x333333;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kLightRed = 0xFF8080;
constexpr uint32_t kBlue = 0x4080FF;
constexpr uint32_t kGreen = 0x00C000;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kYellowGreen = 0x9ACD32;
constexpr uint32_t kDarkGreen = 0x006400;
constexpr uint32_t kSpringGreen = 0x00FA9A;
constexpr uint32_t kGold = 0xFFD700;
constexpr uint32_t kOrange = 0xFFA500;
constexpr uint32_t kChocolate = 0xD2691E;
constexpr uint32_t kOrchid = 0xDA70D6;

}  // namespace vildo
