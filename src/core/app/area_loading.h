// Loading a management area: the statistics download and the area item's click handler.
#pragma once
#include <string>

namespace vildo {

struct Vildo;

// Requests "vildosql.php" and, only when the whole answer reads, replaces the area's records, header,
// averages and model inputs. On failure the previous area stays exactly as it was, and whyNot, when given,
// says why in words for the user.
bool DownloadArea(Vildo& app, int countyCode, int areaIndex, const std::string& c, const std::string& calfMort,
                  const std::string& bullMort, const std::string& cowMort, std::string* whyNot = nullptr);

// The click on area item `areaItem` of county item `countyItem`; true when the area was loaded.
// Stops before the start-year change, which the caller runs.
bool NyttOmrade(Vildo& app, int countyItem, int areaItem);

// Keeps the model and the searched positions as the area came in, for a search that has to start over.
void noteAreaLoaded(Vildo& app);

}  // namespace vildo
