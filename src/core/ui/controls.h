// The window's controls as data: kind, range, position or check state, caption, hint, visibility, enabled flag.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vildo {

struct Vildo;

enum class ControlKind { TrackBar, UpDown, CheckBox, MenuItem, ComboBox, Edit };

// Every named control: name, kind, minimum, maximum, step, design position (or check state).
#define VILDO_CONTROLS(X)                             \
    X(Trk_density, TrackBar, 1, 300, 1, 80)           \
    X(Trk_tjurandel, TrackBar, 15, 60, 1, 40)         \
    X(Trk_Kalvskytte, TrackBar, 0, 99, 1, 25)         \
    X(trk_kviga, TrackBar, 0, 100, 1, 100)            \
    X(trk_taggar, TrackBar, 0, 100, 1, 0)             \
    X(Trk_barkraftovrig, TrackBar, 1, 1000, 1, 220)   \
    X(trk_ungskog, TrackBar, 0, 1000, 1, 50)          \
    X(trk_impediment, TrackBar, 0, 100, 1, 0)         \
    X(Trk_ungskogskonstant, TrackBar, 1, 20, 1, 5)    \
    X(trk_sexratio, TrackBar, 45, 55, 1, 48)          \
    X(trk_slaktvikttjur, TrackBar, 100, 250, 1, 185)  \
    X(Trk_Slaktviktko, TrackBar, 100, 200, 1, 165)    \
    X(trk_harvest, TrackBar, 1, 60, 1, 30)            \
    X(trk_reprod, TrackBar, 50, 100, 1, 68)           \
    X(trk_kododlighet, UpDown, 0, 6, 1, 2)            \
    X(trk_tjurdodlighet, UpDown, 0, 10, 1, 1)         \
    X(Trk_kalvdodlighetsommar, UpDown, 0, 100, 1, 3)  \
    X(Trk_Kalvdodlighetvinter, UpDown, 0, 100, 1, 3)  \
    X(Trk_vargmortalitet, UpDown, 110, 140, 5, 120)   \
    X(Trk_bjornmortalitet, UpDown, 4, 10, 1, 8)       \
    X(trk_korisk, UpDown, 0, 60, 1, 50)               \
    X(Combo_Startyear, ComboBox, -1, -1, 1, -1)       \
    X(Edit1, Edit, 0, 0, 1, 0)                        \
    X(chk_kvotering, CheckBox, 0, 1, 1, 1)            \
    X(chk_stats, CheckBox, 0, 1, 1, 0)                \
    X(chk_save, CheckBox, 0, 1, 1, 0)                 \
    X(chk_biodata, CheckBox, 0, 1, 1, 0)              \
    X(CheckBox1, CheckBox, 0, 1, 1, 1)                \
    X(Advanced, MenuItem, 0, 1, 1, 0)                 \
    X(Expertmode1, MenuItem, 0, 1, 1, 0)              \
    X(Stortext1, MenuItem, 0, 1, 1, 0)

enum class C {
#define VILDO_CONTROL_ENUM(name, kind, mn, mx, st, pos) name,
    VILDO_CONTROLS(VILDO_CONTROL_ENUM)
#undef VILDO_CONTROL_ENUM
        Count
};
constexpr int kControlCount = static_cast<int>(C::Count);

// What a control's change runs: the new position, before the control shows it for up-downs.
using ControlHandler = void (*)(Vildo&, C, int newValue);

struct Control {
    std::string_view name;
    ControlKind kind;
    int min = 0, max = 0, step = 1;
    int position = 0;  // the check state (0/1) of check boxes and menu items, the item index of a combo box
    std::string caption;  // also the text of an edit box
    std::string hint;
    bool visible = true;
    bool enabled = true;
    std::vector<std::string> items;  // combo-box items
    ControlHandler onChange = nullptr;

    bool checked() const { return position != 0; }
};

using Controls = std::array<Control, kControlCount>;

// The controls at their design positions, without handlers.
Controls designControls();

std::optional<C> controlByName(std::string_view name);

// Sets a position from code, held to the range, and runs the change handler when the position changes.
void setPosition(Vildo& app, C id, int position);
// Sets a check state from code; a change runs the click handler.
void setChecked(Vildo& app, C id, bool checked);
// A user's click on a check box or menu item: toggles and runs the click handler.
void click(Vildo& app, C id);

}  // namespace vildo
