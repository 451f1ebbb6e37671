#include "util/random.h"

#include <cmath>

namespace vildo {

double Lcg::G(double mean, double sd) {
    double u1, s;
    do {
        u1 = 2.0 * U() - 1.0;
        double u2 = 2.0 * U() - 1.0;
        s = u1 * u1 + u2 * u2;
    } while (s >= 1.0 || s == 0.0);  // s = 0 would take the logarithm of 0
    return u1 * std::sqrt(-2.0 * std::log(s) / s) * sd + mean;
}

uint32_t mixSeed(uint32_t base, uint32_t index) {
    // The finaliser of MurmurHash3 over base and index; for a fixed base it is a bijection of the index.
    uint32_t h = base ^ (index * 0x9E3779B9u);
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

}  // namespace vildo
