// Editing model curves in their charts. The view converts the pointer to a bar index or to axis values;
// these handlers hold the results to their ranges and pass them on to the model.
#pragma once

namespace vildo {

struct Vildo;

enum class MouseButton { Left, Right, Middle };

// A click on bar `age` of the fecundity chart: left +0.1, right -0.1 calves, held to 0..3. Expert mode only.
void Chart6ClickSeries(Vildo& app, int age, MouseButton button);
// A click on bar `age` of a carcass-weight series (0: females, 1: bulls): left +1 kg, right -1 kg, held to
// 0..300. Expert mode only.
void Chart4ClickSeries(Vildo& app, int series, int age, MouseButton button);

// Dragging the predator curves: the left button edits the wolf territories, the right one the bears.
void Chart10MouseDown(Vildo& app, MouseButton button);
// The pointer as a year on the bottom axis and a value on the edited series' own vertical axis
// (left for wolves, right for bears; app.predatorDrag tells which).
void Chart10MouseMove(Vildo& app, double year, double value);
void Chart10MouseUp(Vildo& app, MouseButton button);
// A new first predator year that moved by more than its old value (or by more than one when that is below
// one) counts as a change of the predator regime.
bool movedFar(double now, double stored);

}  // namespace vildo
