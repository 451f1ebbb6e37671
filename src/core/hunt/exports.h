// The spreadsheet exports: Jaktstat.csv (a line a season), Biodata.csv (a line an encounter) and the
// demography table by age. Semicolons, Windows-1252, CRLF, decimal commas.
#pragma once
#include <string>
#include <vector>

namespace vildo {

struct Vildo;

extern const char* const kJaktstatHeader;
extern const char* const kDemographyHeader;

// The Jaktstat.csv line of the season just simulated (UTF-8, without the line end).
std::string jaktstatLine(const Vildo& app);
// Adds ("Forward") or removes ("Backward") the season's line of MyDocs/Jaktstat.csv.
void savetofile2(Vildo& app, const std::string& mode);
// Writes the season's biodata rows to MyDocs/Biodata.csv, replacing the file, while "Spara biodata" is on.
void saveBiodata(Vildo& app);
// The demography file's text (UTF-8, CRLF line ends).
std::string demographyText(const Vildo& app);
// Writes the demography file, replacing it whole; a failure shows a message naming the file and why, and
// gives false.
bool savetofile(Vildo& app, const std::string& fileName);
// "Spara demografisk data": asks for the file, then writes it.
void Sparadata1Click(Vildo& app);
// Switching "Spara statistik" or "Spara biodata" on probes the file.
void chk_saveClick(Vildo& app);
void chk_biodataClick(Vildo& app);

void wireExportHandlers(Vildo& app);

}  // namespace vildo
