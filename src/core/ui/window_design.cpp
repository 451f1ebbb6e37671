// The main window's design: captions, hints and the controls hidden or disabled until a mode shows them.
#include "ui/window_design.h"

namespace vildo {

namespace {

struct Design {
    C id;
    const char* caption;
    const char* hint;
    bool visible;
    bool enabled;
};

constexpr bool kShown = true, kHidden = false, kOn = true, kOff = false;

constexpr Design kDesign[] = {
    // Page "Område".
    {C::LOmrade, "Område: Inget område är valt", "", kShown, kOn},
    {C::btn_nykalib, "Skatta älgstam", "", kShown, kOff},
    {C::lbl_Startar, "Startår", "", kHidden, kOn},
    {C::Combo_Startyear, "", "", kHidden, kOff},
    {C::btn_helpomrade, "?", "", kHidden, kOn},
    {C::LJustRepro, "", "", kHidden, kOn},
    {C::LJustSommar, "", "", kHidden, kOn},
    {C::Lwinterdensity, "", "", kHidden, kOn},
    {C::LAlgbonitet, "", "", kHidden, kOn},
    {C::Spin_density, "", "Justera reproduktionen i det vänstra diagrammet.", kHidden, kOn},
    {C::Spin_algbonitet, "", "Justera sommarstammen i det högra diagrammet.", kHidden, kOn},
    {C::UD_Lutning, "", "", kHidden, kOn},
    {C::Edit1, "2", "", kHidden, kOn},
    {C::chk_ccarea, "", "", kHidden, kOn},
    {C::chk_trimming, "", "", kHidden, kOn},
    {C::chk_simbonitet, "Använd simulerad älgbonitet", "", kHidden, kOn},
    {C::GroupBox1, "Statistik för området (medelvärde för de senaste tre åren)", "", kHidden, kOn},
    // Page "Teori och Strategi".
    {C::GroupBox7, "Ställ in älgstammen", "", kShown, kOn},
    {C::Trk_density, "", "Ställ in önskad älgtäthet så anpassar Vildo avskjutningen så att målet uppnås.", kShown, kOn},
    {C::Trk_tjurandel, "", "Reglera andel vuxen tjur i avskjutning", kShown, kOn},
    {C::Trk_Kalvskytte, "", "Reglera andel kalv i avskjutning av total avskjutning", kShown, kOn},
    {C::LKviga, "Etisk kalvjakt", "Skjut inte ko före kalv", kHidden, kOn},
    {C::trk_kviga, "", "Kalv utgör livförsäkring för kor och den effekten kan du reglera här.", kHidden, kOn},
    {C::LTaggar, "Taggbegränsning", "", kHidden, kOn},
    {C::trk_taggar, "", "", kHidden, kOn},
    {C::LDensityreal, "Dens", "", kHidden, kOn},
    {C::GroupBox6, "Beräkna älgstammen", "", kShown, kOn},
    {C::Kalib, "Beräkna älgstam",
     "Beräknar älgtäthet utifrån ett flertal uppgifter som älgobs och avskjutning. Skattar samtidigt max bärkraft.",
     kShown, kOn},
    {C::btn_jaktareal, "Jaktareal", "", kShown, kOn},
    {C::GroupBox3, "Jaktresultat och uppgifter om älgstammen", "", kShown, kOn},
    // Page "Jaga".
    {C::SpeedButton2, "", "Föregående år (pil vänster)", kShown, kOn},
    {C::SpeedButton1, "", "Simulera nästa år (pil höger, F5)", kShown, kOn},
    {C::btn_rensa, "Återställ", "", kShown, kOn},
    {C::Label3, "Tilldelning", "", kShown, kOn},
    {C::SpinButton1, "", "Avskjutningsmål", kShown, kOff},
    {C::Label6, "Andel kalv ", "", kShown, kOn},
    {C::SpinButton3, "", "Reglera målsättning för andel kalv i avskjutning av total avskjutning", kShown, kOn},
    {C::Label5, "Andel tjur", "", kShown, kOn},
    {C::SpinButton2, "", "Reglera målsättning för andel vuxen tjur i avskjutning.", kShown, kOn},
    {C::chk_kvotering, "Kvotering", "Jaga med eller utan könskvotering av vuxna", kHidden, kOn},
    {C::chk_stats, "Historiska data", "Historiska avskjutningsdata används då modellen körs.", kHidden, kOn},
    {C::chk_save, "Spara statistik", "Spara populationsdata till fil", kHidden, kOn},
    {C::chk_biodata, "Spara biodata", "Spara ner alla skjutna djur till fil", kHidden, kOn},
    // Page "Markanvändning".
    {C::Panel7, "", "", kHidden, kOn},
    {C::GroupBox4, "Arealer", "", kShown, kOn},
    {C::Button2, "?", "", kShown, kOn},
    {C::LUnskogskonstant, "", "", kHidden, kOn},
    {C::Trk_ungskogskonstant, "", "", kHidden, kOn},
    {C::trk_impediment, "", "", kHidden, kOn},
    {C::GroupBox5, "Områdets kvalitet", "", kHidden, kOn},
    {C::LAlgbonitetChange, "Förändring älgbonitet: ", "", kShown, kOn},
    {C::Button3, "?", "", kShown, kOn},
    // Page "Reproduktion".
    {C::Panel2, "", "", kHidden, kOn},
    {C::CheckBox1, "Visa aktuell fekunditet", "", kShown, kOn},
    {C::LSexratio, "Könsfördelning kvigkalv:tjurkalv  ", "", kHidden, kOn},
    {C::trk_sexratio, "", "", kHidden, kOn},
    // Page "Slaktvikt".
    {C::Panel9, "", "", kHidden, kOn},
    {C::LSlaktviktkonstko, "Slaktvikt ko", "", kHidden, kOn},
    {C::Trk_Slaktviktko, "", "", kHidden, kOn},
    {C::LSlaktviktkonsttjur, "Slaktvikt tjur", "", kHidden, kOn},
    {C::trk_slaktvikttjur, "", "", kHidden, kOn},
    // Page "Annan dödlighet".
    {C::Label7, "Kalvdödlighet", "", kShown, kOn},
    {C::Label1, "Sommar", "", kShown, kOn},
    {C::Label2, "Vinter", "", kShown, kOn},
    {C::LTjurdodlighet, "",
     "Ställer dödlighet för tjur. OBS! När populationen närmar sig bärkraft kommer dödligheten öka.", kShown, kOn},
    {C::trk_tjurdodlighet, "",
     "Ställer dödlighet för tjur. OBS! När populationen närmar sig bärkraft kommer dödligheten öka.", kShown, kOn},
    {C::LKododlighet, "",
     "Ställer dödlighet för tjur. OBS! När populationen närmar sig bärkraft kommer dödligheten öka.", kShown, kOn},
    {C::trk_kododlighet, "",
     "Ställer dödlighet för tjur. OBS! När populationen närmar sig bärkraft kommer dödligheten öka.", kShown, kOn},
    {C::LKorisk, "",
     "Minska risken för att en ko blir skjuten. Relevant när ingen könskvotering av vuxna sker vid tilldelning.",
     kHidden, kOn},
    {C::trk_korisk, "", "Minska risken för att en ko blir skjuten. Endast relevant när ingen kvotering av vuxna sker.",
     kHidden, kOn},
    // Two "?" buttons side by side: their hints tell them apart.
    {C::hlp_dodlighet, "?", "Visa förklaringen till inställningen av annan dödlighet", kShown, kOn},
    {C::Button6, "?", "Öppna hjälpen \"Hälsa och dödlighet\"", kShown, kOn},
    // Page "Rovdjur".
    {C::Label8, "Antal dödade älgar per vargrevir och år", "", kShown, kOn},
    {C::Label9, "Antal dödade älgkalvar per björn och år", "", kShown, kOn},
    {C::btn_rovdjurhelp, "?", "", kShown, kOn},
    // Tabs.
    {C::TabSheet7, "Område", "", kShown, kOn},
    {C::TabSheet6, "Teori och Strategi", "", kHidden, kOn},
    {C::TabSheet8, "Mål och Regler", "", kShown, kOn},
    {C::TabSheet9, "Resultat och utvärdering", "", kShown, kOn},
    {C::TabSheet1, "Jaga", "", kShown, kOn},
    {C::TabSheet2, "Markanvändning", "", kHidden, kOn},
    {C::TabSheet3, "Reproduktion", "", kHidden, kOn},
    {C::TabSheet4, "Slaktvikt", "", kHidden, kOn},
    {C::TabSheet5, "Annan dödlighet", "", kHidden, kOn},
    {C::Rovdjur, "Rovdjur", "", kShown, kOn},
    // Menus.
    {C::mnu_oppnaomrade, "Öppna område", "", kShown, kOn},
    {C::mnu_Sparaomrade, "Spara område", "", kShown, kOff},
    {C::Sparadata1, "Spara demografisk data", "", kShown, kOn},
    {C::Laddascenario1, "Ladda scenario", "", kShown, kOn},
    {C::Sparascenario1, "Spara scenario", "", kShown, kOn},
    {C::Avsluta1, "Avsluta", "", kShown, kOn},
    {C::Advanced, "Avancerat läge", "", kShown, kOn},
    {C::Expertmode1, "Expert mode", "", kShown, kOff},
    {C::Reset, "Återställ Vildo", "", kShown, kOn},
    {C::Fabriksinstllningar1, "Fabriksinställningar", "", kHidden, kOn},
    {C::Stortext1, "Stor text", "", kShown, kOn},
    {C::Prognos1, "Prognos…", "", kShown, kOn},
    {C::Demografi1, "Demografi", "", kShown, kOn},
    {C::Medellder1, "Medelålder", "", kShown, kOn},
    {C::Avskjutning1, "Avskjutning", "", kShown, kOn},
    {C::ReproduktionochTjurandel1, "Reproduktion och Tjurandel", "", kShown, kOn},
    {C::Foderochlgbonitet1, "Foder och älgbonitet", "", kShown, kOff},
    {C::lgtthetochAvskjutning1, "Älgtäthet och Avskjutning", "", kShown, kOn},
    {C::Ddlighet1, "Dödlighet", "", kShown, kOn},
    {C::Hjlp1, "Hjälp", "", kShown, kOn},
    {C::Hemsidan, "Norrvexa. hemsida", "", kShown, kOn},
    {C::OmVildo2, "Om Vildo", "", kShown, kOn},
};

}  // namespace

Controls designControls() {
    Controls c = controlRanges();
    applyWindowDesign(c);
    return c;
}

void applyWindowDesign(Controls& controls) {
    for (const Design& d : kDesign) {
        Control& c = controls[static_cast<int>(d.id)];
        c.caption = d.caption;
        c.hint = d.hint;
        c.visible = d.visible;
        c.enabled = d.enabled;
    }
    // The fit's label explains itself: the number alone says nothing to a new user.
    controls[static_cast<int>(C::LSqrroot)].hint =
        "R2: hur väl modellens kurvor följer områdets statistik (älgobs, kalvar per hondjur och tjurandel) "
        "från startåret; 1 är en perfekt anpassning, 0 ingen.";
}

}  // namespace vildo
