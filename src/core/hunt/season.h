// The season driver's operations on the model: one season-year, and the first season of a run.
#pragma once

namespace vildo {

struct Vildo;

// The next season: the year counter, the season's encounter budget from last season's summer stock, then
// the year itself.
void Huntayear(Vildo& app);
// The first season: targets from the first historic year or from the planning model's last yearly harvest,
// an encounter budget of 2.5 per animal of the target, the season, and the encounter rate after it.
void Initierajakt(Vildo& app);

}  // namespace vildo
