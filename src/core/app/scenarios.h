// "Spara scenario" and "Ladda scenario": one snapshot record in a file of the user's choice.
#pragma once

namespace vildo {

struct Vildo;

void Sparascenario1Click(Vildo& app);
void Laddascenario1Click(Vildo& app);

}  // namespace vildo
