// The spreadsheet exports: Jaktstat.csv (a line a season), Biodata.csv (a line an encounter) and the
// demography table by age. Semicolons, Windows-1252, CRLF, decimal commas.
#pragma once
#include <string>
#include <vector>

namespace vildo {

struct SeasonState;

extern const char* const kJaktstatHeader;
extern const char* const kDemographyHeader;

// The Jaktstat.csv line of the season just simulated (UTF-8, without the line end).
std::string jaktstatLine(const SeasonState& app);
// Adds ("Forward") or removes ("Backward") the season's line of MyDocs/Jaktstat.csv.
void savetofile2(SeasonState& app, const std::string& mode);
// Writes the season's biodata rows to MyDocs/Biodata.csv, replacing the file, while "Spara biodata" is on.
void saveBiodata(SeasonState& app);
// The demography file's text (UTF-8, CRLF line ends).
std::string demographyText(const SeasonState& app);
// Writes the demography file, replacing it whole; a failure shows a message naming the file and why, and
// gives false.
bool savetofile(SeasonState& app, const std::string& fileName);

}  // namespace vildo
