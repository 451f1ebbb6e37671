// The window's part of the state: the chart data, the fonts, the information dialog's flags, the key-figure
// grid, the active pages and the platform's clock and folders.
#pragma once
#include <array>
#include <cstdint>

#include "calibration/calibration_state.h"
#include "ui/charts.h"
#include "ui/platform.h"
#include "util/grid.h"

namespace vildo {

// Font sizes of the large-text mode, in pixels.
struct WindowFonts {
    int windowPx = 13;
    int chart5AxisPx = 13, chart8AxisPx = 13;
    int chart5LegendPx = 13, chart8LegendPx = 13;
};

struct WindowState : CalibrationState {
    Platform platform;
    Charts charts;
    WindowFonts fonts;

    // The information dialog: show-again flags of the numbered messages, and whether it is showing.
    std::array<uint8_t, 51> InfoFlags{};
    bool infoShowing = false;

    // Indicators and charts: the key-figure grid, the largest summer density plotted since the hunt was
    // prepared, and the predator series under a held mouse button (-1: none).
    Grid StringGrid1 = Grid(4, 8);
    int32_t MaxSummerDensity = 0;
    int predatorDrag = -1;
    // The active pages of the two page sets (PageControl2 on the left, PageControl1 on the right).
    C activeLeftPage = C::TabSheet8;
    C activeRightPage = C::TabSheet1;

    bool terminated = false;  // Abort in the error dialog, or "Avsluta": the program ends
};

}  // namespace vildo
