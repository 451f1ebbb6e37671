// Year snapshots and scenarios: the 23 blocks of the snapshot record, written and read byte for byte.
#pragma once
#include <cstdint>
#include <string>

#include "model/model_state.h"

namespace vildo {

constexpr size_t kSnapshotSize = 5281;
constexpr uint64_t kSnapshotSlot = 10000;  // slot k of "Annualstat.vrd" starts at k × 10000

// The snapshot record of the current state (the controls' positions as they are stored last).
std::string snapshotBytes(const ModelState& app);
// True when every block of the record holds values the model can use.
bool plausibleSnapshot(const std::string& bytes);
// Applies a whole snapshot record; the controls are not moved and nothing is re-derived. A record that is not
// plausible is an error: nothing of it is applied.
void applySnapshot(ModelState& app, const std::string& bytes);
// Puts back a snapshot the program took of its own state (snapshotBytes) a moment ago, unchecked.
void restoreSnapshot(ModelState& app, const std::string& bytes);

// Writes one snapshot record at the byte position, keeping the rest of the file.
bool WriteSnapshot(ModelState& app, const std::string& file, uint64_t position);
// Writes a scenario file: the snapshot record alone, replacing the file whole, so that no tail of a longer
// file it overwrites is left behind it.
bool WriteScenario(ModelState& app, const std::string& file);
// Reads one snapshot record from the byte position; a failed read or a damaged record changes nothing.
bool ReadSnapshot(ModelState& app, const std::string& file, uint64_t position);

}  // namespace vildo
