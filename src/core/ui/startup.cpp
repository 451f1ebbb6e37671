#include "ui/startup.h"

#include "model/parameters.h"
#include "model/state.h"
#include "ui/folders.h"

namespace vildo {

void startUp(Vildo& app) {
    app.SeasonStarted = true;  // the equilibrium run waits until the initialisation has ended
    DetermineFolders(app);
    trk_ungskogChange(app);
    Initiate(app);
}

}  // namespace vildo
