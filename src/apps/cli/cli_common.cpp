#include "cli_common.h"
#include "ui/window_design.h"

#include <iostream>

#include "app/dispatch.h"
#include "app/scheduler.h"
#include "app/startup.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

// The command line works in the folder it is run from: its settings, snapshots and exports land there,
// as they land beside a portable program.
std::filesystem::path workingFolder() { return std::filesystem::current_path(); }

}  // namespace

void TerminalPrompts::message(const std::string& text) { std::cerr << text << '\n'; }

bool TerminalPrompts::warningOkAbort(const std::string& text) {
    std::cerr << text << " [Avbryt]\n";
    return false;
}

bool TerminalPrompts::warningAbortIgnore(const std::string& text) {
    std::cerr << text << " [Avbryt]\n";
    return true;
}

bool TerminalPrompts::info(const std::string& text, const std::string&, bool) {
    std::cerr << text << '\n';
    return false;
}

bool TerminalPrompts::question(const std::string& text, const std::string&, const std::string& cancelCaption) {
    std::cerr << text << " [" << cancelCaption << "]\n";
    return false;
}

std::optional<std::string> TerminalPrompts::nextFile() {
    if (fileAnswers.empty()) return std::nullopt;
    std::string file = fileAnswers.front();
    fileAnswers.pop_front();
    return file;
}

ControlSetting parseSetting(const std::string& text) {
    auto eq = text.find('=');
    if (eq == std::string::npos) throw UsageError("--set väntar CONTROL=POSITION, fick: " + text);
    std::string name = text.substr(0, eq);
    auto id = controlByName(name);
    if (!id) throw UsageError("Okänd kontroll: " + name);
    auto value = parseInt(text.substr(eq + 1));
    const Control design = designControls()[static_cast<int>(*id)];
    const bool checkable =
        design.kind == ControlKind::CheckBox || (design.kind == ControlKind::MenuItem && design.max == 1);
    if (!checkable && design.kind != ControlKind::TrackBar && design.kind != ControlKind::UpDown)
        throw UsageError("Kontrollen " + name + " kan inte ställas med --set");
    int lo = checkable ? 0 : design.min, hi = checkable ? 1 : design.max;
    if (!value || *value < lo || *value > hi)
        throw UsageError("Positionen för " + name + " ska vara ett heltal " + std::to_string(lo) + ".." +
                         std::to_string(hi) + ", fick: " + text.substr(eq + 1));
    return {*id, static_cast<int>(*value)};
}

Session::Session() : app(std::make_unique<Vildo>(prompts, Platform::system(workingFolder()))) {}

void Session::start(const std::vector<ControlSetting>& settings) {
    dispatch(*app, [&] { startUp(*app); });
    for (const ControlSetting& s : settings) {
        const Control& c = app->ctl(s.control);
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::MenuItem)
            dispatch(*app, [&] { setChecked(*app, s.control, s.position != 0); });
        else
            dispatch(*app, [&] { setPosition(*app, s.control, s.position); });
    }
}

bool Session::settle() {
    Scheduler scheduler(*app);
    scheduler.runUntil([&] { return !app->timers[1].enabled && !app->timers[3].enabled; });
    return !app->terminated;
}

std::string optionValue(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw UsageError(args[i] + " väntar ett värde");
    return args[++i];
}

uint32_t seedOption(const std::vector<std::string>& args, size_t& i) {
    std::string v = optionValue(args, i);
    auto n = parseInt(v);
    if (!n || *n < 0 || *n > 4294967295LL) throw UsageError("--seed ska vara ett heltal 0..4294967295, fick: " + v);
    return static_cast<uint32_t>(*n);
}

}  // namespace vildo::cli
