#include "model/controls.h"

#include <algorithm>
#include <climits>

#include "model/model_state.h"
#include "util/round.h"

namespace vildo {

int positionOf(double v) { return static_cast<int>(std::clamp<int64_t>(Round(v), INT_MIN, INT_MAX)); }

Controls controlRanges() {
    Controls c{};
#define VILDO_CONTROL_INIT(nm, kd, mn, mx, st, pos)    \
    c[static_cast<int>(C::nm)].name = #nm;             \
    c[static_cast<int>(C::nm)].kind = ControlKind::kd; \
    c[static_cast<int>(C::nm)].min = mn;               \
    c[static_cast<int>(C::nm)].max = mx;               \
    c[static_cast<int>(C::nm)].step = st;              \
    c[static_cast<int>(C::nm)].position = pos;
    VILDO_CONTROLS(VILDO_CONTROL_INIT)
#undef VILDO_CONTROL_INIT
    return c;
}

std::optional<C> controlByName(std::string_view name) {
    static const Controls names = controlRanges();
    for (int i = 0; i < kControlCount; ++i)
        if (names[i].name == name) return static_cast<C>(i);
    return std::nullopt;
}

void setPosition(ModelState& app, C id, int position) {
    Control& ctl = app.ctl(id);
    if (ctl.kind == ControlKind::TrackBar || ctl.kind == ControlKind::UpDown)
        position = std::clamp(position, ctl.min, ctl.max);
    if (ctl.position == position) return;
    ctl.position = position;
    if (ctl.onChange) ctl.onChange(app, id, position);
}

void setChecked(ModelState& app, C id, bool checked) {
    Control& ctl = app.ctl(id);
    if (ctl.checked() == checked) return;
    ctl.position = checked ? 1 : 0;
    if (ctl.onChange) ctl.onChange(app, id, ctl.position);
}

void click(ModelState& app, C id) {
    Control& ctl = app.ctl(id);
    if (!ctl.enabled) return;
    setChecked(app, id, !ctl.checked());
}

}  // namespace vildo
