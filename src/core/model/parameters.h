// Start values, derived curves and the parameter-change handlers of the population model.
#pragma once
#include "model/state.h"

namespace vildo {

void Initiate(Vildo& app);
void Initpop(Vildo& app);
void WeightCurves(Vildo& app);
double Dodlighet(double age, double dodsrisk);
double CallCC(const Vildo& app);
double MFactorlimit(double x, double d, double k);
double Multifecund(Vildo& app);

// The land-use update that restarts the equilibrium run (twelve controls share it).
void trk_ungskogChange(Vildo& app);
// The mortality, predation and cow-risk up-downs, given the new position.
void Trk_kalvdodlighetsommarChangingEx(Vildo& app, C control, int newPosition);

void storetrkvalues(Vildo& app);
void Restoretrkvalues(Vildo& app);
void Reinitiate(Vildo& app);
// "Återställ Vildo": modes off, then Initiate.
void ResetClick(Vildo& app);
// "Fabriksinställningar": asks, then Initpop and "Återställ Vildo".
void Fabriksinstllningar1Click(Vildo& app);

// Connects every model control to its change handler.
void wireModelHandlers(Controls& controls);

}  // namespace vildo
