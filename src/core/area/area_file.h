// Area files ("*.omr"): the area header, the yearly statistics, the predators, the control positions and
// the whole model state of the moment, as raw little-endian records.
#pragma once
#include <cstddef>
#include <string>

namespace vildo {

struct Vildo;

// Bytes of the fixed blocks, from the header up to Bjorndodade; the counts and arrays follow.
constexpr size_t kAreaFixedSize = 5277;

// The file's bytes for the current state.
std::string areaFileBytes(const Vildo& app);

// Writes an area file; false, with its message, when it cannot be written.
bool AreaWrite(Vildo& app, const std::string& file);
// Reads an area file into the state. A missing file gives false silently; a short file or one whose
// counts disagree gives false with its message. Either way nothing in the state has changed.
bool AreaRead(Vildo& app, const std::string& file);
// Brings the area label, averages, statistics table, start years and predator chart in line with a
// freshly read file.
void AreaRefresh(Vildo& app);

// "Spara område" and "Öppna område" (the latter up to the start-year change, which the caller runs).
void mnu_SparaomradeClick(Vildo& app);
// False when nothing was refreshed: no area, or a file that could not be read.
bool mnu_oppnaomradeClick(Vildo& app);

}  // namespace vildo
