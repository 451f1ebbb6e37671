// Area files ("*.omr"): the area header, the yearly statistics, the predators, the control positions and
// the whole model state of the moment, as raw little-endian records.
#pragma once
#include <cstddef>
#include <string>

namespace vildo {

struct AreaState;

// Bytes of the fixed blocks, from the header up to Bjorndodade; the counts and arrays follow.
constexpr size_t kAreaFixedSize = 5277;

// The file's bytes for the current state.
std::string areaFileBytes(const AreaState& app);

// Writes an area file; false, with its message, when it cannot be written.
bool AreaWrite(AreaState& app, const std::string& file);
// Reads an area file into the state. A missing file gives false silently; a short file or one whose
// counts disagree gives false with its message. Either way nothing in the state has changed.
bool AreaRead(AreaState& app, const std::string& file);

}  // namespace vildo
