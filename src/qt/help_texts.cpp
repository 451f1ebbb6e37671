// The prose of the help windows and the about window.
#include "qt/help_windows.h"

namespace vildo::qt {

namespace {

const char* const kHelp =
    "Vildo är ett strategiskt och operativt planeringsverktyg för älgförvaltning\n"
    "F1:Hjälp F2:Stor text  F5:Start  F8: Avancerat  F9:Statistics  \n"
    "\n"
    "SYFTE\n"
    "Vildo används för att planera avskjutningen och för att förstå hur älgstammen svarar på de beslut "
    "som fattas i jaktlag, älgskötselområden och älgförvaltningsområden. Här kan du pröva olika "
    "strategier innan de prövas i skogen: hur stor andel kalv som ska fällas, hur stor andel ko och kviga "
    "avskjutningen ska innehålla, vilken vintertäthet som är målet, hur mycket ungskog landskapet har och "
    "vilka jaktregler som ska gälla (till exempel att enkelkalvar eller kor med kalv ska sparas).\n"
    "\n"
    "MÅL\n"
    "Med Vildo lär du dig hur avskjutningen påverkar\n"
    "- reproduktionen, mätt som antal kalvar per hondjur,\n"
    "- sommarstammens storlek före jakt,\n"
    "- avskjutningen fördelad på tjur, ko och kalv,\n"
    "- medelåldern hos tjurar och kor, i vinterstammen och i avskjutningen,\n"
    "- bärkraften, det vill säga hur många älgar området kan föda,\n"
    "- demografin, älgstammens fördelning på kön och ålder,\n"
    "- köttutbytet av jakten,\n"
    "- och hur stor betydelse ungskogsarealen har för allt detta.\n"
    "\n"
    "Hur funkar Vildo?\n"
    "Vildo är en åldersstrukturerad, mekanistisk modell. Varje årsklass av hondjur och tjurar följs från "
    "kalv till tjugo års ålder. Reproduktion, naturlig dödlighet, trafik, varg, björn och jakt räknas år "
    "för år, och modellen innehåller återkopplingar: när älgtätheten närmar sig områdets bärkraft minskar "
    "fekunditeten och dödligheten ökar. Bärkraften räknas fram ur markanvändningen, där ungskogen ger mest "
    "foder.\n"
    "Modellen tar inte hänsyn till allt. Väder, sjukdomar, flyttningar mellan områden, skillnader mellan "
    "jaktlag och slumpens spel i små stammar finns bara med i den mån de syns i den statistik som läses in. "
    "Läser du in ett älgförvaltningsområde skattar Vildo stammen utifrån avskjutning, älgobs och "
    "slaktvikter för området.\n"
    "\n"
    "Exempel på frågor/scenarier:\n"
    "1. Vad händer med stammen och avskjutningen om kalvandelen i avskjutningen höjs från 40 till 55 "
    "procent?\n"
    "2. Hur förändras tjurandelen och medelåldern hos tjurarna om färre vuxna tjurar fälls under fem år?\n"
    "3. Hur stor avskjutning tål området om ungskogsarealen halveras de kommande tio åren?\n"
    "4. Vad betyder ett nytt vargrevir för den avskjutning som är möjlig om vintertätheten ska hållas?\n"
    "\n"
    "Kom ihåg att en modell aldrig är verkligheten. Vildo visar hur stammen troligen utvecklas utifrån de "
    "uppgifter och antaganden som ligger till grund för beräkningen. Följ upp med älgobs, "
    "spillningsinventering och avskjutningsstatistik och justera planen år för år.\n";

const char* const kEkosystemet =
    "Ekosystemet\n"
    "\n"
    "Olika marktyper producerar olika mycket älgfoder. Ungskogen ger mest, betydligt mer än annan "
    "produktiv skogsmark och öppen mark. Älgimpediment, som vägar, bebyggelse, berg och vatten, ger inget "
    "foder alls.\n"
    "\n"
    "Sammansättningen av marktyperna avgör områdets ekologiska bärkraft: den älgtäthet där stammen inte "
    "längre kan växa. Vid bärkraften kan stammen inte beskattas varaktigt utan att tätheten sjunker. Den "
    "största hållbara avskjutningen fås vid en täthet en bit under bärkraften.\n";

const char* const kKvalitet =
    "Markens kvalitet (produktionsförmåga)\n"
    "Markens bördighet, klimatet och skogsskötseln avgör hur mycket foder som växer på en hektar. Vildo "
    "sammanfattar detta i ett mått på områdets kvalitet, älgboniteten, som räknas fram när ett område "
    "läses in och som kan justeras i Expert mode.\n"
    "\n"
    "Maximal ekologisk bärkraft\n"
    "Den maximala ekologiska bärkraften anger hur många älgar området kan föda per 1000 hektar om inga "
    "djur fälls. En maximal bärkraft på 25 per 1000 ha betyder att varje älg behöver 40 ha per år. Den "
    "täthet som ger störst avskjutning ligger betydligt lägre.\n"
    "\n"
    "Ungskogskonstanten\n"
    "Ungskogen har ungefär fem gånger så mycket foder som den övriga marken. Ungskogskonstanten anger hur "
    "många gånger mer. Den kan bestämmas lokalt med en spillningsinventering: kvoten mellan antalet "
    "spillningshögar per hektar i ungskog och i resten av landskapet är ett bra mått på konstanten.\n";

const char* const kFekhelp =
    "Kalvdödlighet\n"
    "Andelen av de födda kalvarna som dör före jakten, av andra orsaker än rovdjur och trafik. Sommar- "
    "och vinterdödligheten ställs var för sig.\n"
    "\n"
    "Tjurdödlighet\n"
    "Den extra dödlighet som tjurar har utöver den åldersberoende dödlighet som gäller för båda könen, "
    "till exempel efter brunstens påfrestningar.\n"
    "\n"
    "Kalvslaktvikt\n"
    "Kalvarnas slaktvikt hänger samman med kornas reproduktion: när fodret räcker till fler kalvar per ko "
    "blir också kalvarna tyngre. De vuxna djurens slaktvikter är konstanter som kan ställas på sidan "
    "Slaktvikt.\n"
    "\n"
    "Realiserad fekunditet\n"
    "Fekunditetskurvan visar normalt den realiserade fekunditeten, det vill säga den som gäller vid "
    "områdets aktuella täthet och foder. Tar du bort bocken i \"Visa aktuell fekunditet\" visas i stället "
    "den optimala fekunditeten, den som hondjuren har när fodret inte begränsar.\n"
    "\n"
    "Fekunditet\n"
    "Fekunditeten är antalet kalvar som ett hondjur i en viss ålder får per år. Den är låg hos kvigor, "
    "högst hos kor i sina bästa år och sjunker åter hos de äldsta korna. I Expert mode kan kurvan ändras "
    "genom att klicka på staplarna.\n";

const char* const kAbout =
    "Vildo är en älgsimulator för dig som planerar älgjakten och älgförvaltningen. Skatta stammen i ditt "
    "område, pröva avskjutning, jaktregler och markanvändning år för år och se vad besluten ger för stam "
    "och för jakt. Simulate and think - Utmana dig själv!";

}  // namespace

QString helpText(HelpWindow w) {
    switch (w) {
        case HelpWindow::Help: return QString::fromUtf8(kHelp);
        case HelpWindow::Ekosystemet: return QString::fromUtf8(kEkosystemet);
        case HelpWindow::Kvalitet: return QString::fromUtf8(kKvalitet);
        case HelpWindow::Fekhelp: return QString::fromUtf8(kFekhelp);
        case HelpWindow::Count: break;
    }
    return {};
}

QString aboutText() { return QString::fromUtf8(kAbout); }

}  // namespace vildo::qt
