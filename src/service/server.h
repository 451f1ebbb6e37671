// The service over HTTP: GET /produktion/<script>?<query>, served by cpp-httplib from the database.
#pragma once
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "database.h"

namespace httplib {
class Server;
}

namespace vildo::service {

class DataServiceServer {
public:
    explicit DataServiceServer(ServiceDatabase& db);
    ~DataServiceServer();

    // Binds to host:port, port 0 meaning any free port; the port bound. Throws DataError when it cannot.
    int bind(const std::string& host, int port);
    // Serves until stop().
    void listen();
    // Ends listen(); when it has not started listening yet, waits until it has.
    void stop();

private:
    ServiceDatabase& db_;
    std::mutex dbMutex_;  // requests run on several threads; the database is used by one at a time
    std::unique_ptr<httplib::Server> server_;
};

// The database at `file`, with the seed data set imported when it is new; false for `seeded` when no
// seed folder was found.
std::unique_ptr<ServiceDatabase> openServiceDatabase(const std::filesystem::path& file,
                                                     const std::filesystem::path& seedDir);

// The folder of the seed data set the build knows about.
std::filesystem::path defaultSeedDir();

// The service on a background thread, for the command line, the window and tests: loopback and a free
// port unless told otherwise. Stops when destroyed.
class BackgroundService {
public:
    BackgroundService(const std::filesystem::path& dbFile, const std::filesystem::path& seedDir,
                      const std::string& host = "127.0.0.1", int port = 0);
    ~BackgroundService();
    BackgroundService(const BackgroundService&) = delete;
    BackgroundService& operator=(const BackgroundService&) = delete;

    int port() const { return port_; }
    // "http://host:port/", the base address of the requests.
    std::string url() const;
    ServiceDatabase& database() { return *db_; }

private:
    std::unique_ptr<ServiceDatabase> db_;
    DataServiceServer server_;
    std::string host_;
    int port_;
    std::thread thread_;
};

}  // namespace vildo::service
