#include "app/pages.h"

#include "app/vildo.h"
#include "ui/info_dialog.h"

namespace vildo {

namespace {

struct PageMessage {
    C page;
    int number;
    const char* text;
};

constexpr PageMessage kShownOnEntry[] = {
    {C::TabSheet2, 10,
     "I Vildo används landskapets markanvändning och då särskilt utvecklingen av foderproducerande ungskog. I "
     "\"Expert Mode\" kan vissa parametrar justeras vilket kommer att få en effekt på täthetsberoende egenskaper. "
     "Man bör inte gå in och ändra alls här om man inte vet vad man gör.\r\n\r\n"},
    {C::TabSheet3, 11,
     "Det samlas inte in någon statistik över hondjurens fekunditet, dvs reproduktion i olika ålderklasser. Den "
     "kurva Vildo utgår i från är från vetenskapligt publicerad statistik. Den sammanlagda fekunditeten ger ett "
     "mått på reproduktion. I Vildo visas den på samma sätt som för ÄlgObs, dvs kalvar per hondjur vid jaktstart. "
     "\r\n\r\nI \"Expert Mode\" kan fekunditetskurvan ändras. I normalfallet behövs det inte. Vildo är tillräckligt "
     "robust och klarar simulering med en generell kurva och ändå få tillförlitliga resultat. \r\n\r\n"},
    {C::TabSheet4, 12,
     "Statistik över slaktvikt läses in i Vildo då ett nytt område väljs.Det går att justera slaktvikter i "
     "\"Expert Mode\". De ändras dock om ett nytt område läses in."},
    {C::TabSheet5, 13,
     "Statistiken för annan dödlighet är generellt bristfällig. Trafikdödade älgar laddas ner från databas i "
     "Vildo. För att modellen ska ge tillförlitliga värden behöver man också beakta annan dödlighet. När "
     "dödligheten har justerats behöver en kalibrering ske genom att klicka på knappen \"Skatta "
     "älgstam\".\r\n\r\n"},
};

constexpr PageMessage kShownOnLeaving[] = {
    {C::TabSheet3, 8,
     "Älgstammen behöver räknas om när reproduktionen ändras för att ge rätt värden.Klicka på knappen \"Beräkna "
     "älgstam\""},
    {C::TabSheet5, 9,
     "Älgstammen behöver räknas om när dödligheten ändras för att ge rätt värden.Klicka på knappen \"Beräkna "
     "älgstam\""},
};

}  // namespace

void PageControl1Change(Vildo& app, C page) {
    const C left = app.activeRightPage;
    app.activeRightPage = page;
    if (left == page) return;
    for (const PageMessage& m : kShownOnLeaving) {
        if (m.page != left || !app.SettingsChanged) continue;
        if (app.InfoFlags[m.number]) Visainfo(app, m.text, "OK", m.number);
        app.SettingsChanged = false;
    }
    if (app.infoShowing) return;
    for (const PageMessage& m : kShownOnEntry) {
        if (m.page != page || !app.InfoFlags[m.number]) continue;
        if (m.number == 13 && !app.AreaLoaded) continue;
        Visainfo(app, m.text, "OK", m.number);
    }
}

void PageControl2Change(Vildo& app, C page) { app.activeLeftPage = page; }

void keepActivePagesVisible(Vildo& app) {
    if (!app.ctl(app.activeLeftPage).visible) app.activeLeftPage = C::TabSheet8;
    if (!app.ctl(app.activeRightPage).visible) app.activeRightPage = C::TabSheet1;
}

}  // namespace vildo
