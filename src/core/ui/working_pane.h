// The progress pane of a calibration: what it shows for a pane of a given size, and its cancel box.
#pragma once
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace vildo {

// What the progress pane shows, for a pane of W × H pixels; the view paints it on black.
struct PaneText {
    int x = 0, y = 0;
    int fontPx = 15;
    bool courier = false;  // the diagnostics; the rest is Arial
    std::string text;
};
struct PaneRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct WorkingPane {
    PaneRect cancelBox;      // silver
    PaneRect progressFrame;  // outline
    PaneRect progressFill;   // silver
    std::vector<PaneText> texts;
};
WorkingPane Working(const WindowState& app, int W, int H);
// Whether the pointer shows the arrow there (over the cancel box) rather than the hourglass.
bool paneArrowCursor(int x, int y, int paneWidth);

}  // namespace vildo
