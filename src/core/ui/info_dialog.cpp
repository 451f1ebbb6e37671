#include "ui/info_dialog.h"

#include <algorithm>
#include <filesystem>

#include "ui/window_state.h"
#include "util/file_io.h"

namespace vildo {

namespace {

std::filesystem::path infoFile(const WindowState& app) { return std::filesystem::path(app.Paths.Appdata) / "Info.vrx"; }

// The dialog is modal: the flag tells callers that might stack dialogs that one is showing.
struct Showing {
    explicit Showing(WindowState& a) : app(a) { app.infoShowing = true; }
    ~Showing() { app.infoShowing = false; }
    WindowState& app;
};

}  // namespace

void readInfoFlags(WindowState& app) {
    app.InfoFlags.fill(1);
    app.InfoFlags[50] = 0;
    // A shorter file is read as far as it goes, a longer one only as far as there are flags; it never stops the
    // start.
    if (auto bytes = readFileUpTo(infoFile(app), app.InfoFlags.size())) {
        size_t n = std::min(bytes->size(), app.InfoFlags.size());
        for (size_t i = 0; i < n; ++i) app.InfoFlags[i] = static_cast<uint8_t>((*bytes)[i]);
    }
}

void Visainfo(WindowState& app, const std::string& text, const std::string& k1, int showbox) {
    bool ticked;
    {
        Showing showing(app);
        ticked = app.prompts->info(text, k1, showbox != 0);
    }
    if (!ticked || showbox <= 0 || showbox >= kInfoFlagCount) return;
    app.InfoFlags[showbox] = 0;
    std::string bytes(app.InfoFlags.begin(), app.InfoFlags.end());
    if (!writeFileAtomic(infoFile(app), bytes))
        throw VildoError("Cannot create file \"" + infoFile(app).string() + "\".");
}

bool Visafraga(WindowState& app, const std::string& text, const std::string& k1, const std::string& k2) {
    Showing showing(app);
    return app.prompts->question(text, k1, k2);
}

int questionClientWidth(int textWidth) { return std::max(textWidth + 30, 400); }

}  // namespace vildo
