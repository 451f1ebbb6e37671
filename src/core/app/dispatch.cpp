#include "app/dispatch.h"

#include "app/parameter_handlers.h"
#include "app/vildo.h"
#include "model/parameters.h"

namespace vildo {

void globalError(Vildo& app, const std::string& message) {
    for (int n : {1, 3, 4}) setTimer(app, n, false);
    if (message == "Grid index out of range") return;
    bool abort = app.prompts->warningAbortIgnore(
        "Något blev fel! Kontakta mig gärna så jag kan förbättra programmet. " + message);
    if (abort) {
        app.terminated = true;
        return;
    }
    try {
        ResetClick(app);
    } catch (const std::exception&) {
        // A reset that fails again must not loop back here; the user can still choose Abort next time.
    }
}

}  // namespace vildo
