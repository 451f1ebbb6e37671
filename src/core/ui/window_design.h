// The main window's design of its controls: captions, hints and the visibility and enabled flags.
#pragma once
#include "model/controls.h"

namespace vildo {

// The controls at their design positions, captions and flags, without handlers.
Controls designControls();
// Captions, hints and the visibility and enabled flags of the window's design.
void applyWindowDesign(Controls& controls);

}  // namespace vildo
