#include "ui/platform.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace vildo {

Platform Platform::system(const std::filesystem::path& exeDir) {
    Platform p;
    p.exeDir = exeDir;
    const char* home = std::getenv("HOME");
    const char* docs = std::getenv("XDG_DOCUMENTS_DIR");
    const char* data = std::getenv("XDG_DATA_HOME");
    if (home && *home) p.homeDir = home;
    if (docs && *docs)
        p.documentsDir = docs;
    else if (home && *home)
        p.documentsDir = std::filesystem::path(home) / "Documents";
    if (data && *data)
        p.appDataDir = data;
    else if (home && *home)
        p.appDataDir = std::filesystem::path(home) / ".local" / "share";
    p.clockSeed = [] {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
    p.currentYear = [] {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return tm.tm_year + 1900;
    };
    p.wallSeconds = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    return p;
}

}  // namespace vildo
