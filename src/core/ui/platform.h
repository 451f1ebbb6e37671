// What the core takes from its surroundings: the clock and the folders. Injected, so tests are deterministic.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>

namespace vildo {

struct Platform {
    std::filesystem::path exeDir;         // the program's folder
    std::filesystem::path documentsDir;   // the user's documents folder; empty when the platform has none
    std::filesystem::path appDataDir;     // the user's per-user application-data folder
    std::filesystem::path homeDir;        // the user's home folder: work files go here without a documents folder
    std::function<uint32_t()> clockSeed;  // a seed for the random generator from the clock
    std::function<int()> currentYear;
    std::function<double()> wallSeconds;  // a monotonic clock, for timing long work
    // The program runs from an install prefix, whose folders every user shares: it never runs portably there.
    bool installed = false;

    // The real clock and the user's folders (XDG on Linux); installed when exeDir has installed files beside it.
    static Platform system(const std::filesystem::path& exeDir);
};

// The installed read-only files' folder as seen from the program's folder ("../share/vildo" for bin).
extern const char* const kShareFromProgramDir;

// The folder of the running program file; empty when the system cannot tell.
std::filesystem::path runningProgramDir();
// The read-only files of a program installed in programDir (its seed data in "data"), or empty when the program
// runs from its build tree.
std::filesystem::path installedShareDir(const std::filesystem::path& programDir);

}  // namespace vildo
