// The service over HTTP: GET /produktion/<script>?<query>, served by cpp-httplib from the database.
#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "database.h"

namespace vildo::service {

class HttpServer;

// The limits that keep one careless or hostile client from holding up the others.
struct ServerLimits {
    // Workers: more than the handful of stalled connections one user could leave open. A connection gets
    // one only once a request has begun to arrive; at most kQueued such wait for one, and a connection
    // beyond that is answered 503 at once.
    static constexpr int kWorkers = 32;
    static constexpr size_t kQueued = 256;
    static constexpr int kListenBacklog = 1024;
    // Connections that wait for a request, and how long a new one may stay silent.
    static constexpr size_t kWaitingConnections = 4096;
    static constexpr int kFirstByteMilliseconds = 1000;
    // A whole request, from its first byte, must arrive within this time; its answer within the same again.
    static constexpr int kRequestSeconds = 5;
    // How long an open connection may wait for its next request, and how many requests it may carry.
    static constexpr int kKeepAliveSeconds = 2;
    static constexpr int kKeepAliveRequests = 10;
    // The largest body taken; the request line may add kRequestLineBytes, the headers kHeaderBytes in at most
    // kHeaderLines lines (beyond them the answer is 431).
    static constexpr size_t kPayloadBytes = 1 << 20;
    static constexpr size_t kRequestLineBytes = 8 << 10;
    static constexpr size_t kHeaderBytes = 16 << 10;
    static constexpr size_t kHeaderLines = 100;
};

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
    std::unique_ptr<HttpServer> server_;
};

// The database at `file`, with the seed data set imported when it is new; false for `seeded` when no
// seed folder was found.
std::unique_ptr<ServiceDatabase> openServiceDatabase(const std::filesystem::path& file,
                                                     const std::filesystem::path& seedDir);

// The folder of the seed data set: the one installed with the program, else the source tree's.
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
