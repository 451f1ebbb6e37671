// The model's controls as handlers: start values, the land-use and mortality changes, the slider record,
// "Återställ Vildo" and "Fabriksinställningar".
#pragma once
#include "model/controls.h"

namespace vildo {

struct Vildo;

void Initiate(Vildo& app);
// The land-use update that restarts the equilibrium run (twelve controls share it).
void trk_ungskogChange(Vildo& app);
// The mortality, predation and cow-risk up-downs, given the new position.
void Trk_kalvdodlighetsommarChangingEx(Vildo& app, C control, int newPosition);
void Reinitiate(Vildo& app);
// "Återställ Vildo": modes off, then Initiate.
void ResetClick(Vildo& app);
// "Fabriksinställningar": asks, then Initpop and "Återställ Vildo".
void Fabriksinstllningar1Click(Vildo& app);
// Connects every model control to its change handler.
void wireModelHandlers(Controls& controls);

}  // namespace vildo
