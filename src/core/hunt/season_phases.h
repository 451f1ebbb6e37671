// The population phases of a season-year around the hunt: summer (ageing, summer deaths, potential
// births), births with the cow-calf groups the hunt draws from, and winter with the year's statistics.
#pragma once

namespace vildo {

struct SeasonState;

// The shares of the females of one age without calf, with one calf and with twins, before rounding.
struct CalfShares {
    double none, one, twins;
};
CalfShares calfShares(double rate);

// Splits the females of summer age J into the three cow-calf groups for rate calves per female.
void nrofcalves(SeasonState& app, int J, double rate);

// Summer, the first third of the year: ageing, natural, traffic and wolf deaths of the adults, potential
// births and the hunt-start copies.
void summerPhase(SeasonState& app);
// Births: the cow-calf groups of every age, the calves born and the summer totals.
void birthPhase(SeasonState& app);
// After the hunt, the last two thirds of the year: the harvest totals, winter deaths, the year's
// statistics and next year's fecundity factor. The age sums are those of the bulls and cows shot.
void winterPhase(SeasonState& app, double shotBullAgeSum, double shotCowAgeSum);

}  // namespace vildo
