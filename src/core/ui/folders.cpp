#include "ui/folders.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "ui/window_state.h"

namespace vildo {

namespace fs = std::filesystem;

namespace {

std::string withSeparator(const fs::path& p) {
    std::string s = p.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

// Whether the program may keep its files in its own folder: a probe file can be written there. `probeLeft` tells
// whether the probe stayed behind.
bool programFolderWritable(const Platform& pl, bool& probeLeft) {
    probeLeft = false;
    // An installed program's folder is shared by every user (and writable by root): never portable.
    if (pl.installed) return false;
    const fs::path probe = fs::path(withSeparator(pl.exeDir)) / "tmp.vrd";
    if (!std::ofstream(probe, std::ios::binary | std::ios::trunc)) return false;
    std::error_code ec;
    fs::remove(probe, ec);
    probeLeft = ec || fs::exists(probe);
    return true;
}

}  // namespace

fs::path applicationFolder(const Platform& pl) {
    bool probeLeft = false;
    if (programFolderWritable(pl, probeLeft)) return pl.exeDir;
    return pl.appDataDir.empty() ? fs::path() : pl.appDataDir / kApplicationFolderName;
}

void DetermineFolders(WindowState& app) {
    TPaths& paths = app.Paths;
    const Platform& pl = app.platform;
    paths.Exefile = withSeparator(pl.exeDir);

    bool probeLeft = false;
    paths.Writegrants = programFolderWritable(pl, probeLeft);
    if (probeLeft) app.prompts->message("Ett fel uppstod då Vildo försökta ta bort den temporära filen tmp.vrd");

    paths.MyDocs = pl.documentsDir.string();
    if (paths.MyDocs.empty())
        app.prompts->message("Vildo kan inte hitta användarmapp som behövs för att skriva datafiler till disk.");
    if (!paths.Writegrants) {
        // The exports and the file dialogs need a folder that exists: the documents folder is made when
        // missing, and the home folder serves when it cannot be.
        std::error_code ec;
        if (paths.MyDocs.empty() || (!fs::is_directory(paths.MyDocs, ec) && !fs::create_directories(paths.MyDocs, ec)))
            paths.MyDocs = pl.homeDir.string();
    }
    paths.Currentomr = paths.Currentscn = paths.MyDocs;

    if (paths.Writegrants) {
        paths.Appdata = paths.MyDocs = paths.Currentomr = paths.Currentscn = paths.Exefile;
        return;
    }
    fs::path folder = pl.appDataDir / kApplicationFolderName;
    paths.Appdata = withSeparator(folder);
    std::error_code ec;
    if (pl.appDataDir.empty()) {
        app.prompts->message("Det saknas skrivrättigheter för skapa mappen " + paths.Appdata);
        return;
    }
    if (!fs::is_directory(folder, ec) && !fs::create_directories(folder, ec))
        app.prompts->message("Kunde inte skapa mappen Vildo under \"..\\Application data\": " +
                             std::to_string(ec.value() ? ec.value() : errno));
}

}  // namespace vildo
