#include "support/test_app.h"

#include <unistd.h>

#include <atomic>

#include "app/dispatch.h"
#include "app/scheduler.h"
#include "app/startup.h"

namespace vildo::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path = std::filesystem::temp_directory_path() /
           ("vildo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

TestApp::TestApp(uint32_t seed, int year) {
    Platform p;
    p.exeDir = dir.path / "program";
    p.documentsDir = dir.path / "documents";
    p.appDataDir = dir.path / "appdata";
    std::filesystem::create_directories(p.exeDir);
    std::filesystem::create_directories(p.documentsDir);
    p.clockSeed = [seed] { return seed; };
    p.currentYear = [year] { return year; };
    p.wallSeconds = [] { return 0.0; };
    app = std::make_unique<Vildo>(prompts, p);
    // The verdict's interval costs a calibration per member: tests that are not about it go without.
    app->IntervalMembers = 0;
}

void TestApp::start() {
    dispatch(*app, [&] { startUp(*app); });
}

void TestApp::settle() {
    Scheduler(*app).runUntil([&] { return !app->timers[1].enabled && !app->timers[3].enabled; });
}

void TestApp::startAndSettle() {
    start();
    settle();
}

}  // namespace vildo::test
