#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "qt_tests.h"

namespace vildo::qt::test {

namespace {

std::vector<std::function<QObject*()>>& registry() {
    static std::vector<std::function<QObject*()>> r;
    return r;
}

}  // namespace

Register::Register(std::function<QObject*()> make) { registry().push_back(std::move(make)); }

std::vector<QObject*> allTests() {
    std::vector<QObject*> out;
    for (auto& make : registry()) out.push_back(make());
    return out;
}

WindowFixture::WindowFixture() {
    const std::filesystem::path root = dir.path().toStdString();
    Platform p;
    p.exeDir = root / "program";
    p.documentsDir = root / "documents";
    p.appDataDir = root / "appdata";
    for (const auto& d : {p.exeDir, p.documentsDir, p.appDataDir}) std::filesystem::create_directories(d);
    p.clockSeed = [] { return 12345u; };
    p.currentYear = [] { return 2024; };
    p.wallSeconds = [] { return 0.0; };
    prompts.setScripted(true);
    app = std::make_unique<Vildo>(prompts, p);
    window = std::make_unique<MainWindow>(*app, prompts);
    window->show();
    settle();
    prompts.closeDialogs();
}

WindowFixture::~WindowFixture() {
    prompts.closeDialogs();
    window.reset();
}

void WindowFixture::settle() {
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer t;
    t.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (window->settled() || t.elapsed() > 20000) loop.quit();
    });
    poll.start(2);
    loop.exec();
    QApplication::processEvents();
}

}  // namespace vildo::qt::test
