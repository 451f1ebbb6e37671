// The fit measures of a historic run, read from the replay's series on the charts: the measures that steer
// the full calibration, and the uncertainty bands of the batch densities.
#pragma once
#include <vector>

namespace vildo {

struct Vildo;

// Compares the simulated summer stock, calves per cow and bull share of the run just completed with the
// observed ones; uploads the result while the full calibration runs and the fit beats the cached one.
void FitMeasures(Vildo& app);
// The yearly uncertainty of the observation-scaled density, and the batch densities on the main chart.
void DensityBands(Vildo& app);
// The error bars of the batch densities: per point, Stddens / Vildodens of its year (the previous
// point's share where Vildodens is not positive). The view multiplies by the point's pixel row.
std::vector<double> errorBarShares(const Vildo& app);

}  // namespace vildo
