#include "support/golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace vildo::test {

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) v.push_back(line);
    return v;
}

}  // namespace

void expectGolden(const std::string& actual, const std::string& name) {
    expectGoldenFile(actual, std::filesystem::path(VILDO_TEST_DATA) / name);
}

void expectGoldenFile(const std::string& actual, const std::filesystem::path& file) {
    const std::string path = file.string(), name = file.filename().string();
    std::ifstream in(path, std::ios::binary);
    const bool found = static_cast<bool>(in);
    std::stringstream expected;
    if (found) expected << in.rdbuf();
    in.close();
    if (found && expected.str() == actual) return;
    if (std::getenv("VILDO_UPDATE_GOLDEN")) {
        std::ofstream out(path, std::ios::binary);
        out << actual;
        out.close();
        ASSERT_TRUE(out) << "could not rewrite " << path;
        FAIL() << "rewrote " << path << " with VILDO_UPDATE_GOLDEN set; review the diff and run again without it";
    }
    ASSERT_TRUE(found) << "missing golden file " << path << " (VILDO_UPDATE_GOLDEN=1 writes it)";
    const std::vector<std::string> want = lines(expected.str()), got = lines(actual);
    int shown = 0;
    for (size_t i = 0; i < std::max(want.size(), got.size()) && shown < 10; ++i) {
        const std::string w = i < want.size() ? want[i] : "<no line>";
        const std::string g = i < got.size() ? got[i] : "<no line>";
        if (w == g) continue;
        ++shown;
        ADD_FAILURE() << name << " line " << i + 1 << "\n  expected: " << w << "\n  actual:   " << g;
    }
    if (shown == 0) ADD_FAILURE() << name << ": the bytes differ (line ends or a missing last line end)";
}

}  // namespace vildo::test
