// "Spara område" and "Öppna område", and the refresh of the window after an area file is read.
#pragma once

namespace vildo {

struct Vildo;

// Brings the area label, averages, statistics table, start years and predator chart in line with a
// freshly read file.
void AreaRefresh(Vildo& app);
// "Spara område" and "Öppna område" (the latter up to the start-year change, which the caller runs).
void mnu_SparaomradeClick(Vildo& app);
// False when nothing was refreshed: no area, or a file that could not be read.
bool mnu_oppnaomradeClick(Vildo& app);

}  // namespace vildo
