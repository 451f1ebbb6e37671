// Golden files: a text compared with a committed file, with a readable diff on failure.
// VILDO_UPDATE_GOLDEN=1 rewrites the files after an intended change; review the diff before committing.
#pragma once
#include <string>

namespace vildo::test {

// Compares actual with tests/core/data/<name> byte for byte; reports the first differing lines.
void expectGolden(const std::string& actual, const std::string& name);

}  // namespace vildo::test
