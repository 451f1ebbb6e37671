// A fixed clock and a scratch folder for the benchmarks, so every run measures the same work.
#pragma once
#include <filesystem>

#include "ui/platform.h"

namespace vildo::bench {

inline Platform benchPlatform() {
    Platform p;
    p.exeDir = std::filesystem::temp_directory_path();
    p.clockSeed = [] { return 1u; };
    p.currentYear = [] { return 2026; };
    p.wallSeconds = [] { return 0.0; };
    return p;
}

}  // namespace vildo::bench
