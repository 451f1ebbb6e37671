// The export switches and the demography menu item.
#pragma once

namespace vildo {

struct Vildo;

// "Spara demografisk data": asks for the file, then writes it.
void Sparadata1Click(Vildo& app);
// Switching "Spara statistik" or "Spara biodata" on probes the file.
void chk_saveClick(Vildo& app);
void chk_biodataClick(Vildo& app);

void wireExportHandlers(Vildo& app);

}  // namespace vildo
