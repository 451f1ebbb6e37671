#include "calibration/regression.h"

#include <algorithm>
#include <cmath>

namespace vildo {

namespace {

double sum(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s;
}

}  // namespace

double squaredFit(double f) {
    const double r = std::max(f, 0.0) * std::max(f, 0.0);
    return r > 1 ? 0 : r;
}

double Regress(const std::vector<double>& X, const std::vector<double>& Y) {
    if (X.size() != Y.size()) return 0;
    const double n = static_cast<double>(X.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < X.size(); ++i) {
        sx += X[i];
        sy += Y[i];
        sxx += X[i] * X[i];
        sxy += X[i] * Y[i];
    }
    const double d = n * sxx - sx * sx;
    if (d == 0) return 0;
    return (n * sxy - sx * sy) / d;
}

double FitR2(const std::vector<double>& X, const std::vector<double>& Y) {
    const size_t n = X.size();
    if (Y.size() != n || n <= 2) return 0;
    std::vector<double> a(X), b(Y);
    a[0] = b[0] = 0;
    if (sum(a) <= 0 || sum(b) <= 0) return 0;
    const double m = sum(a) / static_cast<double>(n);
    double ssTot = 0, ssRes = 0;
    for (size_t j = 0; j < n; ++j) {
        ssTot += (a[j] - m) * (a[j] - m);
        ssRes += (a[j] - b[j]) * (a[j] - b[j]);
    }
    if (ssTot <= 0) return 0;
    const double r = std::min(1 - ssRes / ssTot, 1.0);
    return r * r;
}

double combinedFit(double obsFit, double reprodFit, double reprodDiff, double bullShareFit) {
    return (6 * obsFit + 4 * reprodFit + 2 * (1 - std::fabs(reprodDiff)) + bullShareFit * bullShareFit) / 13;
}

}  // namespace vildo
