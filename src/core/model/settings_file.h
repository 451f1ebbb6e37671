// The local settings file "Data.vrd": population, harvest and weights, and the mortality settings.
#pragma once
#include <string>

#include "model/model_state.h"

namespace vildo {

constexpr size_t kSettingsFileSize = 3356;

// The file's bytes for the current state.
std::string settingsBytes(const ModelState& app);

// Writes "Data.vrd" in the application folder while the summer stock is not empty; true when written.
bool WriteSettings(ModelState& app);

}  // namespace vildo
