// vildo-dataservice: the stand-in for the area-statistics data service, HTTP over SQLite.
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "server.h"
#include "ui/folders.h"
#include "ui/platform.h"
#include "util/file_io.h"
#include "util/version.h"

namespace {

using namespace vildo::service;

constexpr const char* kUsage =
    "Användning:\n"
    "  vildo-dataservice [--listen ADRESS:PORT] [--db FIL] [--seed KATALOG]\n"
    "      Startar datatjänsten (standard 127.0.0.1:8080, databasen vildo-dataservice.db i programmets\n"
    "      mapp, samma som fönstret och vildo-cli använder).\n"
    "      En ny databas får grunddata från KATALOG/areas/*.csv.\n"
    "  vildo-dataservice import FIL... [--db FIL] [--seed KATALOG]\n"
    "      Läser in ett områdes statistik (CSV i samma ordning som tjänstens svar) i databasen.\n"
    "  vildo-dataservice --help | --version\n"
    "      Visar den här texten eller programmets version.\n";

struct Usage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::filesystem::path db;  // without --db: the program's own folder's, never the working folder's
    std::filesystem::path seed = defaultSeedDir();
    std::vector<std::string> imports;
    bool import = false;
};

// The database the window's embedded service and vildo-cli use: in the folder of the program's own files.
std::filesystem::path programDatabase() {
    const std::filesystem::path folder = vildo::applicationFolder(vildo::Platform::system(vildo::runningProgramDir()));
    if (folder.empty()) throw std::runtime_error("Hittar ingen mapp för databasen (HOME saknas); ange --db FIL");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw std::runtime_error("Kan inte skapa mappen " + folder.string() + ": " + ec.message());
    return folder / "vildo-dataservice.db";
}

Options parse(int argc, char** argv) {
    Options o;
    std::vector<std::string> args(argv + 1, argv + argc);
    size_t i = 0;
    if (!args.empty() && args[0] == "import") {
        o.import = true;
        i = 1;
    }
    for (; i < args.size(); ++i) {
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw Usage(args[i] + " väntar ett värde");
            return args[++i];
        };
        if (args[i] == "--listen") {
            std::string v = value();
            size_t colon = v.rfind(':');
            if (colon == std::string::npos || colon == 0) throw Usage("--listen väntar ADRESS:PORT");
            o.host = v.substr(0, colon);
            try {
                size_t used = 0;
                o.port = std::stoi(v.substr(colon + 1), &used);
                if (used != v.size() - colon - 1 || o.port < 0 || o.port > 65535) throw Usage("");
            } catch (const std::exception&) {
                throw Usage("ogiltig port i " + v);
            }
        } else if (args[i] == "--db") {
            o.db = value();
        } else if (args[i] == "--seed") {
            o.seed = value();
        } else if (o.import && args[i].rfind("--", 0) != 0) {
            o.imports.push_back(args[i]);
        } else {
            throw Usage("okänt argument: " + args[i]);
        }
    }
    if (o.import && o.imports.empty()) throw Usage("import väntar minst en fil");
    if (o.db.empty()) o.db = programDatabase();
    return o;
}

int importFiles(const Options& o) {
    auto db = openServiceDatabase(o.db, o.seed);
    for (const std::string& file : o.imports) {
        auto text = vildo::readWholeFile(file);
        if (!text) {
            std::cerr << "Kan inte läsa " << file << '\n';
            return 1;
        }
        AreaData area = parseAreaCsv(*text);
        db->importArea(area);
        std::cout << "Inläst: " << area.name() << " (länskod " << area.county() << ", område " << area.afonr() << "), "
                  << area.years.size() << " år\n";
    }
    return 0;
}

int serve(const Options& o) {
    // Termination signals are taken by this thread alone, so the server threads never see them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    auto db = openServiceDatabase(o.db, o.seed);
    if (!db->seeded())
        std::cerr << "Obs: ingen grunddata hittades i " << (o.seed / "areas").string() << "; databasen är tom.\n";
    DataServiceServer server(*db);
    int port = server.bind(o.host, o.port);
    std::cout << "Vildos datatjänst svarar på http://" << o.host << ":" << port << "/ (databas " << o.db.string() << ")"
              << std::endl;
    std::thread listener([&] {
        server.listen();
        kill(getpid(), SIGTERM);  // wakes the waiting thread if the server ends by itself
    });
    int sig = 0;
    sigwait(&signals, &sig);
    server.stop();
    listener.join();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--version") {
            std::cout << "vildo-dataservice " << vildo::kPackageVersion << '\n';
            return 0;
        }
    }
    try {
        Options o = parse(argc, argv);
        return o.import ? importFiles(o) : serve(o);
    } catch (const Usage& e) {
        std::cerr << "vildo-dataservice: " << e.what() << "\n\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "vildo-dataservice: " << e.what() << '\n';
        return 1;
    }
}
