#include "ui/platform.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "util/random.h"

namespace vildo {

const char* const kShareFromProgramDir = VILDO_SHARE_FROM_BIN;

std::filesystem::path runningProgramDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path installedShareDir(const std::filesystem::path& programDir) {
    if (programDir.empty()) return {};
    const std::filesystem::path share = (programDir / kShareFromProgramDir).lexically_normal();
    std::error_code ec;
    return std::filesystem::is_directory(share / "data", ec) ? share : std::filesystem::path();
}

Platform Platform::system(const std::filesystem::path& exeDir) {
    Platform p;
    p.exeDir = exeDir;
    p.installed = !installedShareDir(exeDir).empty();
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
    // The millisecond clock repeats within a burst of reseeds; adding the count of reseeds makes the
    // sequence strictly increasing, and the mix turns neighbours into unrelated streams.
    p.clockSeed = [reseeds = std::make_shared<std::atomic<uint32_t>>(0)] {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        const auto ms = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        return mixSeed(ms + reseeds->fetch_add(1), 0);
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
