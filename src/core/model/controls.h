// The window's controls as data: kind, range, position or check state, caption, hint, visibility, enabled flag.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vildo {

struct ModelState;

enum class ControlKind { TrackBar, UpDown, CheckBox, MenuItem, ComboBox, Edit, Button, SpinButton, Label, Tab, Panel };

// Every named control: name, kind, minimum, maximum, step, design position (or check state).
// Captions, hints and the design's visibility and enabled flags are in window_design.cpp.
#define VILDO_CONTROLS(X)                              \
    X(Trk_density, TrackBar, 1, 300, 1, 80)            \
    X(Trk_tjurandel, TrackBar, 15, 60, 1, 40)          \
    X(Trk_Kalvskytte, TrackBar, 0, 99, 1, 25)          \
    X(trk_kviga, TrackBar, 0, 100, 1, 100)             \
    X(trk_taggar, TrackBar, 0, 100, 1, 0)              \
    X(Trk_barkraftovrig, TrackBar, 1, 1000, 1, 220)    \
    X(trk_ungskog, TrackBar, 0, 1000, 1, 50)           \
    X(trk_impediment, TrackBar, 0, 100, 1, 0)          \
    X(Trk_ungskogskonstant, TrackBar, 1, 20, 1, 5)     \
    X(trk_sexratio, TrackBar, 45, 55, 1, 48)           \
    X(trk_slaktvikttjur, TrackBar, 100, 250, 1, 185)   \
    X(Trk_Slaktviktko, TrackBar, 100, 200, 1, 165)     \
    X(trk_harvest, TrackBar, 1, 60, 1, 30)             \
    X(trk_reprod, TrackBar, 50, 100, 1, 68)            \
    X(trk_kododlighet, UpDown, 0, 6, 1, 2)             \
    X(trk_tjurdodlighet, UpDown, 0, 10, 1, 1)          \
    X(Trk_kalvdodlighetsommar, UpDown, 0, 100, 1, 3)   \
    X(Trk_Kalvdodlighetvinter, UpDown, 0, 100, 1, 3)   \
    X(Trk_vargmortalitet, UpDown, 110, 140, 5, 120)    \
    X(Trk_bjornmortalitet, UpDown, 4, 10, 1, 8)        \
    X(trk_korisk, UpDown, 0, 60, 1, 50)                \
    X(Combo_Startyear, ComboBox, -1, -1, 1, -1)        \
    X(Edit1, Edit, 0, 0, 1, 0)                         \
    X(chk_kvotering, CheckBox, 0, 1, 1, 1)             \
    X(chk_stats, CheckBox, 0, 1, 1, 0)                 \
    X(chk_save, CheckBox, 0, 1, 1, 0)                  \
    X(chk_biodata, CheckBox, 0, 1, 1, 0)               \
    X(CheckBox1, CheckBox, 0, 1, 1, 1)                 \
    X(chk_ccarea, CheckBox, 0, 1, 1, 0)                \
    X(chk_trimming, CheckBox, 0, 1, 1, 0)              \
    X(chk_simbonitet, CheckBox, 0, 1, 1, 0)            \
    X(Advanced, MenuItem, 0, 1, 1, 0)                  \
    X(Expertmode1, MenuItem, 0, 1, 1, 0)               \
    X(Stortext1, MenuItem, 0, 1, 1, 0)                 \
    X(mnu_oppnaomrade, MenuItem, 0, 0, 1, 0)           \
    X(mnu_Sparaomrade, MenuItem, 0, 0, 1, 0)           \
    X(Sparadata1, MenuItem, 0, 0, 1, 0)                \
    X(Laddascenario1, MenuItem, 0, 0, 1, 0)            \
    X(Sparascenario1, MenuItem, 0, 0, 1, 0)            \
    X(Avsluta1, MenuItem, 0, 0, 1, 0)                  \
    X(Reset, MenuItem, 0, 0, 1, 0)                     \
    X(Fabriksinstllningar1, MenuItem, 0, 0, 1, 0)      \
    X(Prognos1, MenuItem, 0, 0, 1, 0)                  \
    X(Demografi1, MenuItem, 0, 1, 1, 0)                \
    X(Medellder1, MenuItem, 0, 1, 1, 0)                \
    X(Avskjutning1, MenuItem, 0, 1, 1, 0)              \
    X(ReproduktionochTjurandel1, MenuItem, 0, 1, 1, 1) \
    X(Foderochlgbonitet1, MenuItem, 0, 1, 1, 0)        \
    X(lgtthetochAvskjutning1, MenuItem, 0, 1, 1, 1)    \
    X(Ddlighet1, MenuItem, 0, 1, 1, 0)                 \
    X(Hjlp1, MenuItem, 0, 0, 1, 0)                     \
    X(Hemsidan, MenuItem, 0, 0, 1, 0)                  \
    X(OmVildo2, MenuItem, 0, 0, 1, 0)                  \
    X(TabSheet7, Tab, 0, 0, 1, 0)                      \
    X(TabSheet6, Tab, 0, 0, 1, 0)                      \
    X(TabSheet8, Tab, 0, 0, 1, 0)                      \
    X(TabSheet9, Tab, 0, 0, 1, 0)                      \
    X(TabSheet1, Tab, 0, 0, 1, 0)                      \
    X(TabSheet2, Tab, 0, 0, 1, 0)                      \
    X(TabSheet3, Tab, 0, 0, 1, 0)                      \
    X(TabSheet4, Tab, 0, 0, 1, 0)                      \
    X(TabSheet5, Tab, 0, 0, 1, 0)                      \
    X(Rovdjur, Tab, 0, 0, 1, 0)                        \
    X(GroupBox1, Panel, 0, 0, 1, 0)                    \
    X(GroupBox3, Panel, 0, 0, 1, 0)                    \
    X(GroupBox4, Panel, 0, 0, 1, 0)                    \
    X(GroupBox5, Panel, 0, 0, 1, 0)                    \
    X(GroupBox6, Panel, 0, 0, 1, 0)                    \
    X(GroupBox7, Panel, 0, 0, 1, 0)                    \
    X(Panel2, Panel, 0, 0, 1, 0)                       \
    X(Panel7, Panel, 0, 0, 1, 0)                       \
    X(Panel9, Panel, 0, 0, 1, 0)                       \
    X(Panel5, Panel, 0, 0, 1, 0)                       \
    X(Panel_omrade, Panel, 0, 0, 1, 0)                 \
    X(Panel_Dodlighet, Panel, 0, 0, 1, 0)              \
    X(UD_Lutning, UpDown, -100, 100, 1, 0)             \
    X(btn_nykalib, Button, 0, 0, 1, 0)                 \
    X(btn_helpomrade, Button, 0, 0, 1, 0)              \
    X(Kalib, Button, 0, 0, 1, 0)                       \
    X(btn_jaktareal, Button, 0, 0, 1, 0)               \
    X(SpeedButton1, Button, 0, 0, 1, 0)                \
    X(SpeedButton2, Button, 0, 0, 1, 0)                \
    X(btn_rensa, Button, 0, 0, 1, 0)                   \
    X(Button2, Button, 0, 0, 1, 0)                     \
    X(Button3, Button, 0, 0, 1, 0)                     \
    X(Button6, Button, 0, 0, 1, 0)                     \
    X(hlp_dodlighet, Button, 0, 0, 1, 0)               \
    X(btn_rovdjurhelp, Button, 0, 0, 1, 0)             \
    X(SpinButton1, SpinButton, 0, 0, 1, 0)             \
    X(SpinButton2, SpinButton, 0, 0, 1, 0)             \
    X(SpinButton3, SpinButton, 0, 0, 1, 0)             \
    X(Spin_density, SpinButton, 0, 0, 1, 0)            \
    X(Spin_algbonitet, SpinButton, 0, 0, 1, 0)         \
    X(LOmrade, Label, 0, 0, 1, 0)                      \
    X(lbl_Startar, Label, 0, 0, 1, 0)                  \
    X(LJustRepro, Label, 0, 0, 1, 0)                   \
    X(LJustSommar, Label, 0, 0, 1, 0)                  \
    X(Lwinterdensity, Label, 0, 0, 1, 0)               \
    X(LAlgbonitet, Label, 0, 0, 1, 0)                  \
    X(LDensityset, Label, 0, 0, 1, 0)                  \
    X(LTjurandel, Label, 0, 0, 1, 0)                   \
    X(LKalvandel, Label, 0, 0, 1, 0)                   \
    X(LKviga, Label, 0, 0, 1, 0)                       \
    X(LTaggar, Label, 0, 0, 1, 0)                      \
    X(LDensityreal, Label, 0, 0, 1, 0)                 \
    X(LHarvest, Label, 0, 0, 1, 0)                     \
    X(Lreprod, Label, 0, 0, 1, 0)                      \
    X(Label3, Label, 0, 0, 1, 0)                       \
    X(LSpinn_Avskjutning, Label, 0, 0, 1, 0)           \
    X(Label6, Label, 0, 0, 1, 0)                       \
    X(LSpinn_Kalvandel, Label, 0, 0, 1, 0)             \
    X(Label5, Label, 0, 0, 1, 0)                       \
    X(LSpinn_Tjurandel, Label, 0, 0, 1, 0)             \
    X(LUngskogsareal, Label, 0, 0, 1, 0)               \
    X(LUnskogskonstant, Label, 0, 0, 1, 0)             \
    X(LBarkraftovrigmark, Label, 0, 0, 1, 0)           \
    X(LAlgbonitetChange, Label, 0, 0, 1, 0)            \
    X(LSexratio, Label, 0, 0, 1, 0)                    \
    X(LSlaktviktkonstko, Label, 0, 0, 1, 0)            \
    X(LSlaktviktkonsttjur, Label, 0, 0, 1, 0)          \
    X(Label7, Label, 0, 0, 1, 0)                       \
    X(Label1, Label, 0, 0, 1, 0)                       \
    X(Label2, Label, 0, 0, 1, 0)                       \
    X(LKalvdodlighet, Label, 0, 0, 1, 0)               \
    X(LTjurdodlighet, Label, 0, 0, 1, 0)               \
    X(LKododlighet, Label, 0, 0, 1, 0)                 \
    X(LKorisk, Label, 0, 0, 1, 0)                      \
    X(Label8, Label, 0, 0, 1, 0)                       \
    X(LVargmortalitet, Label, 0, 0, 1, 0)              \
    X(Label9, Label, 0, 0, 1, 0)                       \
    X(LBjornmortalitet, Label, 0, 0, 1, 0)             \
    X(LSqrroot, Label, 0, 0, 1, 0)

enum class C {
#define VILDO_CONTROL_ENUM(name, kind, mn, mx, st, pos) name,
    VILDO_CONTROLS(VILDO_CONTROL_ENUM)
#undef VILDO_CONTROL_ENUM
        Count
};
constexpr int kControlCount = static_cast<int>(C::Count);

// What a control's change runs: the new position, before the control shows it for up-downs.
using ControlHandler = void (*)(ModelState&, C, int newValue);

struct Control {
    std::string_view name;
    ControlKind kind;
    int min = 0, max = 0, step = 1;
    int position = 0;     // the check state (0/1) of check boxes and menu items, the item index of a combo box
    std::string caption;  // also the text of an edit box
    std::string hint;
    bool visible = true;
    bool enabled = true;
    std::vector<std::string> items;  // combo-box items
    ControlHandler onChange = nullptr;

    bool checked() const { return position != 0; }
};

using Controls = std::array<Control, kControlCount>;

// The controls with their names, kinds, ranges and design positions; no captions, flags or handlers.
Controls controlRanges();

std::optional<C> controlByName(std::string_view name);

// A real rounded to a control position (setPosition then holds it to the control's range).
int positionOf(double v);
// Sets a position from code, held to the range, and runs the change handler when the position changes.
void setPosition(ModelState& app, C id, int position);
// Sets a check state from code; a change runs the click handler.
void setChecked(ModelState& app, C id, bool checked);
// A user's click on a check box or menu item: toggles and runs the click handler.
void click(ModelState& app, C id);

}  // namespace vildo
