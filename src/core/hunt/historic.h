// A historic year's recorded harvest as the season's target.
#pragma once

namespace vildo {

struct SeasonState;

// Loads historic record i into the harvest table's current column and the season's targets, with the
// year's traffic kills, predators and young forest; nothing changes past the last harvest year.
void Runstats(SeasonState& app, int i);

}  // namespace vildo
