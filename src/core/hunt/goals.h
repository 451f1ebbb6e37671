// Goals and rules of the hunting page as computations: the harvest target and its split into the harvest
// table, the goal column, and the emptied tables.
#pragma once
#include <string>

namespace vildo {

struct SeasonState;

// A share as whole per cent, "40 %".
std::string percentText(double share);

// The harvest table's column of the coming season: min(YearNo + 1, 7).
int targetColumn(const SeasonState& app);

// The targets from the target per 1000 ha, written to the harvest table's column.
void Adjusttarget(SeasonState& app);
// The column's total split again by the calf and bull shares.
void Nyamal(SeasonState& app);

// The goal column written from the goal values (after a reset or a loaded scenario).
void refillGoalColumn(SeasonState& app);

// Empties the harvest table's year columns and the evaluation table, and writes the evaluation headers.
void Rensatabell(SeasonState& app);

}  // namespace vildo
