// The hunting page's handlers: the target and share buttons, the harvest, goal and rule tables.
#pragma once
#include <string>

#include "model/controls.h"

namespace vildo {

struct Vildo;

// "Avskjutningsmål": the target per 1000 ha up or down by 0.1, never below 0.
void SpinButton1UpClick(Vildo& app);
void SpinButton1DownClick(Vildo& app);
// The bull share: during a season the target itself, before it the planning slider.
void SpinButton2UpClick(Vildo& app);
void SpinButton2DownClick(Vildo& app);
// The calf share: during a season the target itself, before it the planning slider.
void SpinButton3UpClick(Vildo& app);
void SpinButton3DownClick(Vildo& app);
// "Kvotering": the sex quota switches between the bull-share button and the cow-risk setting.
void chk_kvoteringClick(Vildo& app);
// The harvest table: only the bull, cow and calf cells of the coming season can be selected, only
// digits, backspace and Enter typed (a dropped key comes back as 0), and a typed number sets the targets.
bool StringGrid2SelectCell(const Vildo& app, int col, int row);
char StringGrid2KeyPress(char key);
void StringGrid2SetEditText(Vildo& app, int col, int row, const std::string& value);
// The goal table: only the goals can be selected and typed (digits, comma, backspace, Enter); every key
// re-reads all seven goals as the cells stand before it. DrawCell marks the current values that miss
// their goal red.
bool Stringgrid5SelectCell(int col, int row);
char Stringgrid5KeyPress(Vildo& app, char key);
void Stringgrid5DrawCell(Vildo& app, int col, int row);
// The rule table: switches a rule on or off, or asks for its interval; the cell is never selected.
bool StringGrid3SelectCell(Vildo& app, int col, int row);
// Connects the hunting page's controls to their handlers.
void wireHuntHandlers(Controls& controls);

}  // namespace vildo
