// The --dump-ui option of the commands that run the model.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/vildo.h"

namespace vildo::cli {

// Takes "--dump-ui FILE" at args[i] (advancing i past the file); false when args[i] is another option.
bool takeDumpUiOption(const std::vector<std::string>& args, size_t& i, std::optional<std::string>& file);

// Writes what the window shows to the file, when one was asked for; false (after a message) when it
// cannot be written.
bool writeUiDump(const Vildo& app, const std::optional<std::string>& file);

}  // namespace vildo::cli
