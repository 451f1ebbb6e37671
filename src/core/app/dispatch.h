// The one path every event takes: the view, the scheduler and the command line run handlers through it,
// so an error no operation handles reaches the global error handler and never crashes the process.
#pragma once
#include <exception>
#include <string>
#include <utility>

namespace vildo {

struct Vildo;

// Timers 1, 3 and 4 stop; "Grid index out of range" passes silently; otherwise Abort ends the program
// and Ignore resets it ("Återställ Vildo").
void globalError(Vildo& app, const std::string& message);

template <class F>
void dispatch(Vildo& app, F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        globalError(app, e.what());
    } catch (...) {
        globalError(app, "Okänt fel");
    }
}

}  // namespace vildo
