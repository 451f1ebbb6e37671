// The one object that owns the whole state: one part per layer, and what ties them to the handlers.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace vildo {

struct Vildo : WindowState {
    Vildo(Prompts& prompts, Platform platform);

    // Called after each season the forward button completes (the historic replay runs several a press).
    std::function<void(const Vildo&)> seasonObserver;
    // A forecast's replicate: the forward button keeps no year snapshot on disk (it cannot step back).
    bool NoSnapshotFile = false;
    // Every area of the batch's walk starts from the state the walk started from.
    std::shared_ptr<const Vildo> BatchStart;
    // The wanted winter density the user had set before the first area was loaded: a forecast's default goal.
    std::optional<double> WantedBeforeArea;
    // The area file's bytes when the work was last saved or read, and whether they are still to be taken.
    std::string savedWork;
    bool savedWorkDue = false;
    // Area files and scenarios last read or written, the latest first.
    std::vector<std::string> recentFiles;
};

// The handlers are wired to the controls of the model's part; every such part is a Vildo's.
inline Vildo& whole(ModelState& state) { return static_cast<Vildo&>(state); }

}  // namespace vildo
