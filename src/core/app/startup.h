// The start of the program, as far as the core takes part: folders, the controls read into the model,
// and the initialisation.
#pragma once

namespace vildo {

struct Vildo;

void startUp(Vildo& app);
// The welcome message, once, about a second after the start.
void Timer7Timer(Vildo& app);

}  // namespace vildo
