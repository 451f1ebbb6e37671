// A started program for the harnesses, made once: each input is read into the same state, as a user opening
// one file after another would.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_app.h"

namespace vildo::fuzz {

inline test::TestApp& app() {
    static test::TestApp* t = [] {
        auto* a = new test::TestApp;
        a->start();
        return a;
    }();
    return *t;
}

// The input as a file of the given name in the program's temporary folder.
inline std::string inputFile(const uint8_t* data, size_t size, const std::string& name) {
    const std::filesystem::path file = app().dir.path / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    return file.string();
}

}  // namespace vildo::fuzz
