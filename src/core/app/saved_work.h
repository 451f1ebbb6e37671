// The user's work files: whether the loaded area or scenario has changes that no file holds, so that the exit
// can ask before they go, and the files last read or written.
#pragma once
#include <string>

namespace vildo {

struct Vildo;

// The work was just saved to a file or read from one (or from the data service). What the handler does after
// it, a start year's run for instance, belongs to it: the saved state is taken by the next settleSavedWork
// that finds every timer stopped.
void noteWorkSaved(Vildo& app);
// Takes the saved state if one is due and the timers have stopped; called after each handler.
void settleSavedWork(Vildo& app);
// True when an area or scenario is loaded and its state differs from the one last saved or read.
bool hasUnsavedWork(const Vildo& app);

// How many files "Senaste filer" keeps.
constexpr size_t kRecentFileCount = 5;
// Puts a file just read or written first among the recent files.
void noteRecentFile(Vildo& app, const std::string& file);

}  // namespace vildo
