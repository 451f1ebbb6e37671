// The start of the program, as far as the core takes part: folders, the controls read into the model,
// and the initialisation.
#pragma once

namespace vildo {

struct Vildo;

void startUp(Vildo& app);

}  // namespace vildo
