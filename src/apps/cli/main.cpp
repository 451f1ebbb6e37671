// vildo-cli: the simulator without a window, for scripting, checks and headless runs.
#include <iostream>
#include <string_view>

#include "cli_common.h"
#include "commands.h"

namespace {

constexpr const char* kUsage =
    "Användning: vildo-cli KOMMANDO [ALTERNATIV]\n"
    "\n"
    "Kommandon:\n"
    "  equilibrium [--set KONTROLL=POSITION]... [--json]\n"
    "      Startar som programmet, ställer kontrollerna och kör jämviktskörningen (4 x 1000 modellår).\n";

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"equilibrium", vildo::cli::equilibriumCommand},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h") {
        std::cout << kUsage;
        return argc < 2 ? 2 : 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (c.name != argv[1]) continue;
        try {
            return c.run(args);
        } catch (const vildo::cli::UsageError& e) {
            std::cerr << "vildo-cli " << c.name << ": " << e.what() << "\n\n" << kUsage;
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "vildo-cli " << c.name << ": " << e.what() << '\n';
            return 1;
        }
    }
    std::cerr << "Okänt kommando: " << argv[1] << "\n\n" << kUsage;
    return 2;
}
