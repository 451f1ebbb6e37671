// vildo-cli: the simulator without a window, for scripting, checks and headless runs.
#include <algorithm>
#include <iostream>
#include <string_view>

#include "cli_common.h"
#include "commands.h"
#include "util/file_io.h"
#include "util/version.h"

namespace {

// One usage block per command: "CMD --help" prints its own, the general help all of them.
struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"equilibrium", vildo::cli::equilibriumCommand,
     "  equilibrium [--set KONTROLL=POSITION]... [--json] [--dump-ui FIL]\n"
     "      Startar som programmet, ställer kontrollerna och kör jämviktskörningen (4 x 1000 modellår).\n"
     "      --dump-ui skriver allt fönstret visar (texter, tabeller, diagram) som JSON till FIL.\n"},
    {"area", vildo::cli::areaCommand,
     "  area list [--county KOD] [--service URL] [--db FIL]\n"
     "      Visar länsmenyn med de områden datatjänsten har.\n"
     "  area show --county-item I --area-item J [--json] [--service URL] [--db FIL]\n"
     "      Hämtar och läser in område J under län I i menyn och visar vad som lästes in.\n"
     "  area save FIL --county-item I --area-item J [--service URL] [--db FIL]\n"
     "      Hämtar ett område och sparar det som områdesfil.\n"
     "  area open FIL [--json]\n"
     "      Läser en områdesfil och visar den som area show.\n"
     "      Utan --service (eller VILDO_SERVICE_URL) startas en lokal datatjänst med grunddata, med en\n"
     "      tillfällig databas eller den som --db anger.\n"},
    {"synth", vildo::cli::synthCommand,
     "  synth --out KATALOG [--seed S]\n"
     "      Simulerar datatjänstens grunddata med säsongsmodellen: KATALOG/areas och KATALOG/truth.\n"},
    {"seasons", vildo::cli::seasonsCommand,
     "  seasons --years N [--seed S] [--set KONTROLL=POSITION]... [--biodata FIL] [--json] [--dump-ui FIL]\n"
     "          [--save-stats] [--scenario-load FIL] [--scenario-save FIL] [--back K] [--demography FIL]\n"
     "          [--county-item I --area-item J [--no-estimate] [--service URL] [--db FIL]]\n"
     "      Kör jämviktskörningen, sedan N tryck på pil höger (N jaktsäsonger); en rad per säsong.\n"
     "      --seed S ger slumptalen frö S, tryck k fröet S + k - 1; --biodata skriver varje skottillfälle;\n"
     "      --save-stats skriver Jaktstat.csv i programmets mapp; --back K backar K år efter säsongerna;\n"
     "      --scenario-load läser ett scenario före säsongerna, --scenario-save sparar det efter dem;\n"
     "      --demography skriver demografin per ålder. Med ett område skattas först älgstammen som i\n"
     "      fönstret (--seed gör skattningen upprepbar); --no-estimate spelar historiken från grundvärdena.\n"
     "      Med ett område visar raderna kalenderår.\n"},
    {"forecast", vildo::cli::forecastCommand,
     "  forecast --years N [--replicates K] [--seed S] [--set KONTROLL=POSITION]... [--presses P]\n"
     "          [--county-item I --area-item J [--no-estimate] [--service URL] [--db FIL]] [--json] [--csv FIL]\n"
     "          [--threads T] [--goal D] [--members B] [--quota Q | --plan Q[:KALVAR:KOR]...] [--calves P]\n"
     "          [--cows P]\n"
     "      Prognos: K framtider (500 utan --replicates) om N jaktsäsonger (1..20) från där pil höger står:\n"
     "      efter jämviktskörningen, efter P tryck, eller med ett område efter skattningen och historiken.\n"
     "      Skriver per år percentilerna 10, 50 och 90 av vinterstam, sommarstam, avskjutning, tjurandel och\n"
     "      kalvar per ko, och andelen framtider som fyller kvoten, hamnar inom 10 % av önskad vinterstam och\n"
     "      där stammen är bortskjuten. --seed S gör trycken och prognosen upprepbara; --csv skriver tabellen\n"
     "      till FIL; --threads T kör på T trådar (utan: alla kärnor), med samma resultat. --goal D: målet\n"
     "      (vinterstam per 1000 ha) som andelen inom 10 % mäts mot; utan: önskad vinterstam före området.\n"
     "      Efter en skattning startar framtiderna från skattningens B omräkningar (40 utan --members), så\n"
     "      skattningens osäkerhet följer med. --quota Q håller en årlig avskjutning på Q djur, delad som\n"
     "      --calves P och --cows P (procent; tjurar resten; utan: måltabellens delning). --plan Q[:KALVAR:KOR]\n"
     "      (högst fyra) jämför planerna sida vid sida med måltabellen på samma framtider.\n"},
    {"plan", vildo::cli::planCommand,
     "  plan --goal D --years N [--floor F] [--risk R] [--calves P --cows P] [--replicates K] [--seed S]\n"
     "       [--threads T] [--set KONTROLL=POSITION]... [--county-item I --area-item J [--no-estimate]\n"
     "       [--service URL] [--db FIL]] [--members B] [--json]\n"
     "      Söker den årliga avskjutning vars median år N hamnar närmast målet D (vinterstam per 1000 ha), och\n"
     "      den största som håller andelen framtider under golvet F (halva målet utan --floor) vid högst R %\n"
     "      (10 utan --risk). Visar båda planerna med deras risker. Samma plan med forecast --quota ger samma\n"
     "      median år N med samma frö.\n"},
    {"calibrate", vildo::cli::calibrateCommand,
     "  calibrate --county-item I --area-item J [--start-year Å] [--seed S] [--json] [--service URL] [--db FIL]\n"
     "            [--members B | --no-interval]\n"
     "      Läser in området, beräknar vinterstammen och skattar älgstammen som programmet gör efter ett\n"
     "      byte av startår; skriver slutsatsen. Utan --service laddas resultatet upp till den lokala\n"
     "      datatjänstens databas FIL (vildo-dataservice.db i programmets mapp), så en andra körning tar\n"
     "      cachen. --seed S: samma frö och samma databas ger samma utskrift; utan --seed väljer klockan.\n"
     "      Slutsatsen får ett 80 %-intervall från B omräkningar (40 utan --members); --no-interval hoppar över "
     "det.\n"},
    {"batch", vildo::cli::batchCommand,
     "  batch [--county-item I] [--out FIL] [--threads T] [--service URL] [--db FIL]\n"
     "      Bärkraftsberäkningen för varje startår i varje område av de valda länen (alla utan --county-item);\n"
     "      en rad per område i FIL (GlobalCC.csv i dokumentmappen).\n"},
};

constexpr const char* kCommonOptions =
    "\n"
    "Alla kommandon:\n"
    "  --folder MAPP   håller inställningar, årsdata, exporter och databas i MAPP i stället för i programmets\n"
    "                  mappar (bredvid programmet i byggträdet, annars ~/.local/share/Vildo och ~/Documents)\n"
    "  --help          visar kommandots användning\n"
    "\n"
    "  vildo-cli --list-controls   visar varje kontroll som --set tar, med intervall och vad en position betyder\n"
    "  vildo-cli --version         visar programmets version\n";

void printUsage(std::ostream& out) {
    out << "Användning: vildo-cli KOMMANDO [ALTERNATIV]\n\nKommandon:\n";
    for (const Command& c : kCommands) out << c.usage;
    out << kCommonOptions;
}

void printUsage(std::ostream& out, const Command& c) { out << "Användning:\n" << c.usage << kCommonOptions; }

bool wantsHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

// Takes --folder MAPP out of the command's arguments.
std::vector<std::string> withoutFolder(std::vector<std::string> args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--folder") continue;
        if (i + 1 >= args.size()) throw vildo::cli::UsageError("--folder väntar ett värde");
        vildo::cli::useFolder(args[i + 1]);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view first = argc < 2 ? "" : argv[1];
    if (argc < 2 || first == "--help" || first == "-h") {
        printUsage(std::cout);
        return argc < 2 ? 2 : 0;
    }
    if (first == "--version") {
        std::cout << "vildo-cli " << vildo::kPackageVersion << '\n';
        return 0;
    }
    if (first == "--list-controls") {
        std::cout << vildo::cli::listControls();
        return 0;
    }
    for (const Command& c : kCommands) {
        if (c.name != first) continue;
        try {
            const std::vector<std::string> args = withoutFolder(std::vector<std::string>(argv + 2, argv + argc));
            if (wantsHelp(args)) {
                printUsage(std::cout, c);
                return 0;
            }
            const int rc = c.run(args);
            // Each failed write has shown its message; the run as a whole has then failed too.
            return rc == 0 && vildo::failedWrites() > 0 ? 1 : rc;
        } catch (const vildo::cli::UsageError& e) {
            std::cerr << "vildo-cli " << c.name << ": " << e.what() << "\n\n";
            printUsage(std::cerr, c);
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "vildo-cli " << c.name << ": " << e.what() << '\n';
            return 1;
        }
    }
    std::cerr << "Okänt kommando: " << first << "\n\n";
    printUsage(std::cerr);
    return 2;
}
