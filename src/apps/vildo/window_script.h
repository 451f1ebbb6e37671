// Scripted use of the window without a user: actions such as "forward:3", a screenshot, and timings.
#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace vildo::qt {
class MainWindow;
class PromptsQt;
}  // namespace vildo::qt

namespace vildo {

// Runs the event loop until no core timer runs (or the limit passes: a full calibration takes minutes);
// false on the limit.
bool settle(qt::MainWindow& window, int limitMs = 300000);

// Runs actions separated by ';'. Each waits until the window has settled. Throws std::runtime_error with a
// Swedish message for an unknown action.
void runActions(qt::MainWindow& window, qt::PromptsQt& prompts, const QString& actions);

// The window as a PNG, with the dialog shown last on top of it, as a user would see both.
bool saveScreenshot(qt::MainWindow& window, qt::PromptsQt& prompts, const QString& file, QWidget* dialog = nullptr);

// The time from a track-bar move to the settled, repainted window, in ms, for `moves` moves.
QList<double> measureSliderMoves(qt::MainWindow& window, int moves);

// The time from the click on an area item ("I,J": county item, area item) to its settled verdict, in ms.
// Throws std::runtime_error for an area the menu does not have.
double measureAreaToVerdict(qt::MainWindow& window, const QString& items);

extern const char* const kActionHelp;

}  // namespace vildo
