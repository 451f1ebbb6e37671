// The indicator texts of the window: every label, the key-figure grid, the season grid's current column,
// the evaluation table, the goal status and the chart footers.
#pragma once
#include "ui/window_state.h"

namespace vildo {

// Rewrites every indicator text from the current state; an error ends it with a message and keeps what
// was already written.
void Labels(WindowState& app);

// Whether the area label names a loaded area (it still reads "Område: Inget område är valt" otherwise).
bool areaShown(const WindowState& app);
// Record i of the area's statistics; an index outside them raises the range error.
const TStatistics& statisticsRecord(const WindowState& app, int i);

}  // namespace vildo
