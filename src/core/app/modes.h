// The window's display modes: advanced mode, expert mode and large text.
#pragma once

namespace vildo {

struct Vildo;
struct Control;
enum class C;

// Run when the menu item's check mark has changed (a click toggles it).
void AdvancedClick(Vildo& app);
void Expertmode1Click(Vildo& app);
void Stortext1Click(Vildo& app);

// F11: shows or hides the batch's switches.
void toggleBatchSwitches(Vildo& app);

// The width of the left chart panel: half the window, at least 533 pixels while the main chart beside it keeps a
// readable width.
int leftChartPanelWidth(int windowWidth);

void wireModeHandlers(Vildo& app);

}  // namespace vildo
