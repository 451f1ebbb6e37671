// Everything the window shows, as JSON: every control with its caption, every grid's cells and every
// chart's axes and series points. One member per line, so that two dumps compare line by line.
#pragma once
#include <string>

#include "ui/window_state.h"

namespace vildo {

std::string uiDumpJson(const WindowState& app);

}  // namespace vildo
