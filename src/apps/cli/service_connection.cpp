#include "service_connection.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "area/http_data_service.h"
#include "service/server.h"

namespace vildo::cli {

namespace {

constexpr const char* kTemporaryDbPrefix = "vildo-cli-";

// The databases (and SQLite's side files) that earlier commands left in `dir` when they were killed: their
// names carry the process id, and a process that no longer runs will not come back for them.
void removeStaleTemporaryDatabases(const std::filesystem::path& dir) {
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(dir, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kTemporaryDbPrefix, 0) != 0) continue;
        const std::string rest = name.substr(std::strlen(kTemporaryDbPrefix));
        const size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || rest.find_first_not_of("0123456789") != dash) continue;
        const long pid = std::strtol(rest.c_str(), nullptr, 10);
        if (pid <= 0 || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code ignored;
        std::filesystem::remove(it->path(), ignored);
    }
}

}  // namespace

ServiceConnection::ServiceConnection(std::string url, std::filesystem::path dbFile) {
    if (url.empty()) url = serviceUrlFromEnvironment();
    if (url.empty()) {
        if (dbFile.empty()) {
            std::random_device rd;
            const std::filesystem::path tmp = std::filesystem::temp_directory_path();
            removeStaleTemporaryDatabases(tmp);
            temporaryDb_ = tmp / (kTemporaryDbPrefix + std::to_string(::getpid()) + "-" + std::to_string(rd()) + ".db");
            dbFile = temporaryDb_;
        }
        local_ = std::make_unique<service::BackgroundService>(dbFile, service::defaultSeedDir());
        url = local_->url();
    }
    url_ = url;
    auto client = std::make_unique<HttpDataService>(url_);
    // A command is one wait for the user however many requests it makes.
    client->limitTotal(HttpDataService::kCommandDeadline);
    client_ = std::move(client);
}

ServiceConnection::~ServiceConnection() {
    client_.reset();
    local_.reset();
    if (!temporaryDb_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temporaryDb_, ec);
    }
}

}  // namespace vildo::cli
