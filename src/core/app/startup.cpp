#include "app/startup.h"

#include "app/parameter_handlers.h"
#include "app/vildo.h"
#include "area/county_table.h"
#include "model/parameters.h"
#include "ui/folders.h"
#include "ui/info_dialog.h"

namespace vildo {

void startUp(Vildo& app) {
    app.SeasonStarted = true;  // the equilibrium run waits until the initialisation has ended
    DetermineFolders(app);
    trk_ungskogChange(app);
    readInfoFlags(app);
    if (app.dataService) FetchAreaNames(app);  // without a service the area menu keeps only the counties
    Initiate(app);
}

void Timer7Timer(Vildo& app) {
    setTimer(app, 7, false);
    if (app.InfoFlags[1])
        Visainfo(app,
                 "Välkommen till Vildo AI älgsimulator \r\n\r\nDu kan antingen starta en fiktiv älgstam genom att "
                 "klicka på pil höger eller ladda ner uppgifter från ett älgförvaltningsområde från menyn.  \r\n\r\n"
                 "Vildo gör därefter en beräkning av älgstammens utveckling. Beräkningen utgår från inlästa uppgifter "
                 "om älgstammen.",
                 "OK", 1);
}

}  // namespace vildo
