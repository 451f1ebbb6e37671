#include "ui_dump.h"

#include <iostream>

#include "cli_common.h"
#include "ui/ui_dump.h"
#include "util/file_io.h"

namespace vildo::cli {

bool takeDumpUiOption(const std::vector<std::string>& args, size_t& i, std::optional<std::string>& file) {
    if (args[i] != "--dump-ui") return false;
    file = optionValue(args, i);
    return true;
}

bool writeUiDump(const Vildo& app, const std::optional<std::string>& file) {
    if (!file) return true;
    if (writeFileAtomic(*file, uiDumpJson(app))) return true;
    std::cerr << "Kan inte skriva till fil: " << *file << '\n';
    return false;
}

}  // namespace vildo::cli
