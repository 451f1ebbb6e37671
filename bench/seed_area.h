// A seed area served in-process, so that benchmarks time only the program's own computation.
#pragma once
#include <filesystem>
#include <string>
#include <utility>

#include "area/data_service.h"
#include "util/file_io.h"

namespace vildo::bench {

// Norra Roslagen's record; the path comes from the build, as __FILE__ may be relative to it.
inline const std::filesystem::path kSeedArea = VILDO_SEED_AREA;

// The seed file as "vildosql.php" answers it: comment lines dropped, fields joined by "|", lines by ";".
inline std::string statisticsAnswer(const std::string& file) {
    std::string answer, line;
    const std::string text = readWholeFile(file).value_or("");
    size_t at = 0;
    while (at < text.size()) {
        size_t nl = text.find('\n', at);
        line = text.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
        at = nl == std::string::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        for (char& c : line)
            if (c == ';') c = '|';
        answer += (answer.empty() ? "" : ";") + line;
    }
    return answer;
}

// Norra Roslagen alone in the menu, nothing cached, every upload registered.
class SeedService : public DataService {
public:
    explicit SeedService(std::string stats) : stats_(std::move(stats)) {}
    std::string get(const std::string& script, const std::string& query) override {
        if (script == "vildoAFOsql.php") return query.rfind("a=1&", 0) == 0 ? "Stockholm|Norra Roslagen" : "";
        if (script == "vildosql.php") return stats_;
        if (script == "vildosql_R2.php") return "R2;0;0;0;0;0";
        return "Registrerat";
    }

private:
    std::string stats_;
};

}  // namespace vildo::bench
