// The window tests' shared pieces: a registry of test classes and a started window over fresh folders.
#pragma once
#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "app/vildo.h"
#include "qt/main_window.h"
#include "qt/prompts_qt.h"

namespace vildo::qt::test {

// Every registered test class, freshly made.
std::vector<QObject*> allTests();

struct Register {
    explicit Register(std::function<QObject*()> make);
};

// A started window over a state whose folders live in a temporary directory; no data service, prompts
// that never wait.
struct WindowFixture {
    WindowFixture();
    ~WindowFixture();
    // Runs the event loop until no core timer runs.
    void settle();

    QTemporaryDir dir;
    PromptsQt prompts;
    std::unique_ptr<Vildo> app;
    std::unique_ptr<MainWindow> window;
};

}  // namespace vildo::qt::test
