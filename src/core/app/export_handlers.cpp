#include "app/export_handlers.h"

#include <filesystem>
#include <fstream>

#include "app/vildo.h"
#include "hunt/exports.h"
#include "model/controls.h"
#include "ui/info_dialog.h"

namespace vildo {

namespace fs = std::filesystem;

namespace {

// Opening an existing export for reading tells whether another program holds it.
void probeExport(Vildo& app, C box, const char* name, const char* notice) {
    if (!app.checked(box)) return;
    const fs::path file = fs::path(app.Paths.MyDocs) / name;
    std::error_code ec;
    if (!fs::exists(file, ec)) return;
    if (std::ifstream(file, std::ios::binary)) {
        Visainfo(app, std::string(notice) + app.Paths.MyDocs, "OK", 0);
    } else {
        app.prompts->message("Filen kan inte öppnas! Kontrollera om den är öppen i annat program");
        setChecked(app, box, false);
    }
}

}  // namespace

void Sparadata1Click(Vildo& app) {
    FileDialogRequest req{"Spara demografisk data till disk", app.Paths.MyDocs, "CSV file|*.csv", "csv", false};
    if (auto file = app.prompts->saveFile(req)) savetofile(app, *file);
}

void chk_saveClick(Vildo& app) {
    probeExport(app, C::chk_save, "Jaktstat.csv", "Jaktstat.csv kommer att sparas i mappen: ");
}

void chk_biodataClick(Vildo& app) {
    probeExport(app, C::chk_biodata, "Biodata.csv", "Biodata.csv kommer att sparas i mappen: ");
}

void wireExportHandlers(Vildo& app) {
    app.ctl(C::chk_save).onChange = [](ModelState& s, C, int) { chk_saveClick(whole(s)); };
    app.ctl(C::chk_biodata).onChange = [](ModelState& s, C, int) { chk_biodataClick(whole(s)); };
}

}  // namespace vildo
