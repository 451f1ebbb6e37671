#include "model/settings_file.h"

#include <filesystem>

#include "util/file_io.h"

namespace vildo {

std::string settingsBytes(const ModelState& app) {
    std::string b;
    b.reserve(kSettingsFileSize);
    b += bytesOf(app.Pop);
    b += bytesOf(app.Harvest);
    b += bytesOf(app.CalfSummerMortality);
    b += bytesOf(app.CalfWinterMortality);
    b += bytesOf(app.NatMortPctF);
    b += bytesOf(app.NatMortPctM);
    b += '\x11';
    b += "Tjillllllevipppen";
    b += std::string(2, '\0');
    return b;
}

bool WriteSettings(ModelState& app) {
    double sum = 0;
    for (double v : app.Pop.FemSummer) sum += v;
    if (sum <= 0) return false;  // a sum that is not a number counts as positive
    if (writeFileAtomic(std::filesystem::path(app.Paths.Appdata) / "Data.vrd", settingsBytes(app))) return true;
    // The file is never read back, so losing it costs nothing but this notice; the program carries on.
    if (!app.settingsWriteReported) {
        app.settingsWriteReported = true;
        app.prompts->message(
            "Kan inte skriva till filen data.vrd som används för att att spara ner lokala inställningar!");
    }
    return false;
}

}  // namespace vildo
