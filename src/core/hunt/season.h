// The season-year on the model, and the first season's targets from the equilibrium.
#pragma once

namespace vildo {

struct SeasonState;

// The next season: the year counter, the season's encounter budget from last season's summer stock, then
// the year itself.
void Huntayear(SeasonState& app);
// The first season's targets without history: what the equilibrium run shot in its last year.
void targetsFromEquilibrium(SeasonState& app);

}  // namespace vildo
