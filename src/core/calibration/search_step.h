// The winter-population search's step table: which slider moves, and by how much, for the observed and
// simulated harvest and calves per cow.
#pragma once
#include <optional>

#include "model/controls.h"

namespace vildo {

// The search's step for the observed (Ho, Ro) and the model's (H, R): harvest per 1000 ha and calves per
// cow, both ×10 and ×100 as the sliders hold them. Nothing when no row of the step table applies.
struct SearchStep {
    C control;
    int delta;
};
std::optional<SearchStep> searchStep(int Ho, double H, int Ro, double R);

}  // namespace vildo
