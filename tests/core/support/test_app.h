// A state for tests: fixed clock, folders in a fresh temporary directory, scripted prompts.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "app/vildo.h"
#include "support/scripted_prompts.h"

namespace vildo::test {

// A temporary folder removed with its content when the object goes.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path path;
};

struct TestApp {
    // seed: what the clock gives the random generator; year: the current year.
    explicit TestApp(uint32_t seed = 12345, int year = 2026);
    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<Vildo> app;

    Vildo& operator*() { return *app; }
    Vildo* operator->() { return app.get(); }
    // The program's start-up (folders in the temporary directory, Initiate).
    void start();
    // Start-up, then the scheduler until the equilibrium run is idle.
    void startAndSettle();
    // Runs the scheduler until the equilibrium run is idle.
    void settle();
};

}  // namespace vildo::test
