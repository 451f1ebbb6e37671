// The subcommands of vildo-cli; each takes the arguments after its name and returns the exit code.
#pragma once
#include <string>
#include <vector>

namespace vildo::cli {

int equilibriumCommand(const std::vector<std::string>& args);
int areaCommand(const std::vector<std::string>& args);
int synthCommand(const std::vector<std::string>& args);
int seasonsCommand(const std::vector<std::string>& args);
int calibrateCommand(const std::vector<std::string>& args);
int batchCommand(const std::vector<std::string>& args);
int forecastCommand(const std::vector<std::string>& args);
int planCommand(const std::vector<std::string>& args);

}  // namespace vildo::cli
