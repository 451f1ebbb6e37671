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

}  // namespace vildo
