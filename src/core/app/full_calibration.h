// The full calibration: the historic years replayed again and again, one adjustment of start density,
// forage or its yearly change after each replay, until the fit stops improving; then the best setting,
// its upload and the verdict. Also the progress pane's content and the cancel box.
#pragma once
#include <string>
#include <vector>

namespace vildo {

struct Vildo;

// A calibration draws one base seed for all its replays (common random numbers); its end returns the
// forward button to the clock.
void beginCalibration(Vildo& app);
void endCalibration(Vildo& app);

// (Calf summer + calf winter mortality) × 100 + the natural mortality of cows and bulls, in per cent: a
// change of more than 12 since the last estimate calls for a new winter-population search.
double mortalitySignature(const Vildo& app);

// "Skatta älgstam".
void btn_nykalibClick(Vildo& app);
// One comparison and adjustment per completed replay.
void Timer9Timer(Vildo& app);
// The verdict, once.
void Timer11Timer(Vildo& app);
// The full calibration after a start-year change, once.
void Timer12Timer(Vildo& app);
// Cancel: the best setting found so far is restored and replayed; nothing is uploaded.
void Stopiterations(Vildo& app);

// A click on the progress pane of the given width: inside the cancel box it cancels.
void PaintBox1MouseDown(Vildo& app, int x, int y, int paneWidth);
// Whether the pointer shows the arrow there (over the cancel box) rather than the hourglass.
bool paneArrowCursor(int x, int y, int paneWidth);

// True while a search, replay, full calibration, verdict or batch step is pending.
bool calibrationRunning(const Vildo& app);

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
WorkingPane Working(const Vildo& app, int W, int H);

}  // namespace vildo
