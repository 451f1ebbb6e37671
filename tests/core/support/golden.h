// Golden files: a text compared with a committed file, with a readable diff on failure.
// VILDO_UPDATE_GOLDEN=1 rewrites the files that differ after an intended change, and each test that rewrote
// one fails, so that the variable can never pass a run unnoticed; review the diff before committing.
#pragma once
#include <filesystem>
#include <string>

namespace vildo::test {

// Compares actual with tests/core/data/<name> byte for byte; reports the first differing lines.
void expectGolden(const std::string& actual, const std::string& name);

// The same with the golden file at any path.
void expectGoldenFile(const std::string& actual, const std::filesystem::path& file);

}  // namespace vildo::test
