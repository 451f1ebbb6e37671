#include "hunt/exports.h"

#include <filesystem>
#include <fstream>

#include "hunt/biodata.h"
#include "hunt/season_state.h"
#include "util/cp1252.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace fs = std::filesystem;

const char* const kJaktstatHeader =
    "År;Område;Delområde;Tjur Sommar;Hondjur Sommar;Kalv Sommar;Sommarstam;Tjur vinter;Hondjur Vinter;Kalv "
    "vinter;Vinterstam;Jakt tjur;Jakt hondjur;Jakt kalv;Avskj per kha;Tjurandel (sim.);Reproduktion (sim.); "
    "Älgobs; Tjurandel (enl. Älgobs); Kalvperko (enl. Älgobs); Trafikdöda;Vargdödade; Björndödade; Annan "
    "dödlighet";
const char* const kDemographyHeader =
    "Hondjur sommar;Tjur sommar;Döda honjur sommar;Döda tjurar sommar;Honjur fällda;Tjur fällda;Hondjur efter "
    "jakt;Tjur efter jakt;Döda Honjur vinter;Döda tjurar vinter";

namespace {

constexpr const char* kCrLf = "\r\n";

fs::path inMyDocs(const SeasonState& app, const char* name) { return fs::path(app.Paths.MyDocs) / name; }

std::string r(double v) { return intStr(Round(v)); }

// Lines of a text file, whatever its line ends; the bytes stay in their code page.
std::vector<std::string> fileLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t nl = bytes.find('\n', at);
        std::string line = bytes.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (nl == std::string::npos) break;
        at = nl + 1;
    }
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + kCrLf;
    return out;
}

// Where the file itself cannot be replaced (held by another program, or something else in its place) the
// export keeps its own text, when it has one; any other failure, such as a full or read-only disk, names the
// file and why.
void reportWriteFailure(SeasonState& app, const fs::path& file, const std::error_code& ec,
                        const char* lockedText = nullptr) {
    const bool fileHeld = ec == std::errc::device_or_resource_busy || ec == std::errc::text_file_busy ||
                          ec == std::errc::resource_unavailable_try_again || ec == std::errc::is_a_directory;
    if (lockedText && fileHeld) {
        app.prompts->message(lockedText);
        return;
    }
    app.prompts->message("Kan inte skriva till filen " + file.string() + ": " + writeFailureReason(ec) + ".");
}

constexpr const char* kJaktstatLocked =
    "Kan inte skriva till fil. Kontrollera om filen Jaktstat.csv är öppen i annat program!";

}  // namespace

std::string jaktstatLine(const SeasonState& app) {
    const TSummerTotals& s = app.Summer;
    const TWinterTotals& w = app.Winter;
    const THarvestTotals& h = app.HarvestTot;
    std::string l = app.StringGrid2.cell(std::min(app.YearNo, 6), 0);
    auto add = [&](const std::string& field) { l += ";" + field; };
    add(getShort(app.Header.Lan));
    add(getShort(app.Header.AFO));
    add(r(s.SummerBulls));
    add(r(s.SummerCows));
    add(r(s.SummerStock - s.SummerAdults));
    add(fix(s.SummerDensity, 4, 1));
    add(r(w.WinterBulls));
    add(r(w.WinterCows));
    add(r(w.WinterCalves));
    add(fix(w.WinterDensity, 4, 1));
    add(r(h.BullsShot));
    add(r(h.CowsShot));
    add(r(h.CalvesShot));
    add(fix(h.HarvestPerArea, 4, 1));
    // Without adults there is no share: a plain 0, not 0,00.
    add(s.SummerAdults != 0 ? fix(s.SummerBulls / s.SummerAdults, 4, 2) : "0");
    add(fix(app.CalvesPerCow, 4, 2));
    size_t k = static_cast<size_t>(app.StartIndex + app.YearNo - 1);
    if (app.checked(C::chk_stats) && k < app.Statistics.size()) {
        const TStatistics& st = app.Statistics[k];
        add(fix(st.obs, 4, 3));
        add(fix(st.tjurobs, 4, 2));
        add(fix(st.reprod, 4, 2));
        add(intStr(int64_t{st.TrafikTjur} + st.TrafikHondjur + st.TrafikKalv));
    } else {
        l += ";0;0;0;0";
    }
    add(intStr(app.Rov.Vargdodade));
    add(intStr(app.Rov.Bjorndodade));
    const TTraffic& t = app.Traffic;
    add(r(w.WinterDeaths + s.SummerDeaths -
          (t.TrafficBulls + t.TrafficCows + t.TrafficCalves + app.Rov.Vargdodade + app.Rov.Bjorndodade)));
    return l;
}

void savetofile2(SeasonState& app, const std::string& mode) {
    fs::path file = inMyDocs(app, "Jaktstat.csv");
    // Another run in the same folder may be adding its season: from the read to the rename it waits.
    const UpdateLock lock(file);
    std::vector<std::string> lines;
    std::error_code ec;
    if (fs::exists(file, ec)) {
        auto bytes = readWholeFile(file);
        if (!bytes) {
            app.prompts->message(kJaktstatLocked);
            return;
        }
        lines = fileLines(*bytes);
    }
    const size_t n = lines.size();
    if (mode == "Backward" && !lines.empty()) lines.pop_back();
    if (n == 0 || app.YearNo == 1) lines = {toCp1252(kJaktstatHeader)};
    if (mode == "Forward") lines.push_back(toCp1252(jaktstatLine(app)));
    if (!writeFileAtomic(file, joinCrLf(lines), ec)) reportWriteFailure(app, file, ec, kJaktstatLocked);
}

void saveBiodata(SeasonState& app) {
    if (!app.checked(C::chk_biodata)) return;
    std::string text = biodataHeaderLine();
    appendBiodataLines(text, app.Biodata);
    const fs::path file = inMyDocs(app, "Biodata.csv");
    std::error_code ec;
    if (!writeFileAtomic(file, text, ec))
        reportWriteFailure(app, file, ec,
                           "Kan inte skriva till fil. Kontrollera om filen Biodata.csv är öppen i annat program");
}

std::string demographyText(const SeasonState& app) {
    const TPopulation& p = app.Pop;
    const THarvestByAge& h = app.Harvest;
    std::string out = std::string(kDemographyHeader) + kCrLf;
    for (int i = 0; i <= 19; ++i) {
        for (double v : {p.FemSummer[i] - p.FemDeadSummer[i], p.MaleSummer[i] - p.MaleDeadSummer[i], p.FemDeadSummer[i],
                         p.MaleDeadSummer[i], h.FemShot[i], h.MaleShot[i], p.FemWinter[i] - p.FemDeadWinter[i],
                         p.MaleWinter[i] - p.MaleDeadWinter[i], p.FemDeadWinter[i], p.MaleDeadWinter[i]})
            out += fix(v, 4, 2) + ";";
        out += kCrLf;
    }
    return out;
}

bool savetofile(SeasonState& app, const std::string& fileName) {
    std::error_code ec;
    if (writeFileAtomic(fileName, toCp1252(demographyText(app)), ec)) return true;
    reportWriteFailure(app, fileName, ec);
    return false;
}

}  // namespace vildo
