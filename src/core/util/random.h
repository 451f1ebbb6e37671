// The process-wide random generator: a 32-bit linear congruential generator, seed × 134775813 + 1.
#pragma once
#include <cstdint>

namespace vildo {

struct Lcg {
    uint32_t seed = 0;

    void advance() { seed = seed * 134775813u + 1u; }
    // R(n): a uniform integer 0..n-1, the high half of the 64-bit product of the new seed and n.
    uint32_t R(uint32_t n) {
        advance();
        return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
    }
    // U: a uniform real in [0, 1).
    double U() {
        advance();
        return seed * (1.0 / 4294967296.0);
    }
    // G(mean, sd): a normal deviate by the polar method.
    double G(double mean, double sd);
};

// A seed derived from a base seed and an index: a bijective mix of the two, so that streams of
// neighbouring bases or indexes share nothing.
uint32_t mixSeed(uint32_t base, uint32_t index);

}  // namespace vildo
