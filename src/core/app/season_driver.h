// The season driver: a year forward (with the historic replay), a year back, and the resets that end
// the season mode.
#pragma once

namespace vildo {

struct Vildo;

extern const char* const kShotOutQuestion;

// The forward button: the first press starts the season mode; with "Historiska data" one press replays
// every remaining historic year.
void SpeedButton1Click(Vildo& app);
// The first season: targets from the first historic year or from the planning model's last yearly harvest,
// an encounter budget of 2.5 per animal of the target, the season, and the encounter rate after it.
void Initierajakt(Vildo& app);
// The backward button: the snapshot of the year before, back into the state.
void SpeedButton2Click(Vildo& app);
// "Återställ": back to the planning mode with the same area. bySpin: run by the density or forage
// spin buttons, which keep the charts and the table.
void btn_rensaClick(Vildo& app, bool bySpin = false);
// The parameter panels while a season runs, and again after it.
void Inaktiverakontroller(Vildo& app);
void Aktiverakontroller(Vildo& app);
// "Historiska data": the mouse-down refusals, then the click; false when the box was refused.
bool chk_statsMouseDown(Vildo& app);
void chk_statsClick(Vildo& app);
// The predators of the coming season from the predator chart.
void setPredators(Vildo& app);

// The reset of the season page after the initialisation, and the replay after a change.
void Timer13Timer(Vildo& app);
void Timer6Timer(Vildo& app);

void wireDriverHandlers(Vildo& app);

}  // namespace vildo
