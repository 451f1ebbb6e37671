#include "service_connection.h"

#include <unistd.h>

#include <random>

#include "area/http_data_service.h"
#include "service/server.h"

namespace vildo::cli {

ServiceConnection::ServiceConnection(std::string url, std::filesystem::path dbFile) {
    if (url.empty()) url = serviceUrlFromEnvironment();
    if (url.empty()) {
        if (dbFile.empty()) {
            std::random_device rd;
            temporaryDb_ = std::filesystem::temp_directory_path() /
                           ("vildo-cli-" + std::to_string(::getpid()) + "-" + std::to_string(rd()) + ".db");
            dbFile = temporaryDb_;
        }
        local_ = std::make_unique<service::BackgroundService>(dbFile, service::defaultSeedDir());
        url = local_->url();
    }
    url_ = url;
    client_ = std::make_unique<HttpDataService>(url_);
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
