// A started program for the harnesses, made once: each input is read into the same state, as a user opening
// one file after another would.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/dispatch.h"
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

// Runs a handler as the window and the command line do: an error inside it goes to the global error
// handler (whose scripted answer is "Ignore"), not out of the harness. What it showed is forgotten, so
// that millions of inputs do not pile up messages.
template <class F>
void handle(F&& f) {
    vildo::dispatch(*app(), std::forward<F>(f));
    test::ScriptedPrompts& p = app().prompts;
    p.messages.clear();
    p.warnings.clear();
    p.fileDialogs.clear();
    p.infos.clear();
    p.questions.clear();
}

// The input as a file of the given name in the program's temporary folder.
inline std::string inputFile(const uint8_t* data, size_t size, const std::string& name) {
    const std::filesystem::path file = app().dir.path / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file.string();
}

}  // namespace vildo::fuzz
