// The data service a command asks: the given address, VILDO_SERVICE_URL, or else the stand-in on a free
// loopback port.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "area/data_service.h"

namespace vildo::service {
class BackgroundService;
}

namespace vildo::cli {

class ServiceConnection {
public:
    // The stand-in keeps its database in dbFile, so that uploads last from one command to the next;
    // without one it gets a database of its own that goes when the command ends.
    explicit ServiceConnection(std::string url, std::filesystem::path dbFile = {});
    ~ServiceConnection();
    ServiceConnection(const ServiceConnection&) = delete;
    ServiceConnection& operator=(const ServiceConnection&) = delete;

    DataService* client() { return client_.get(); }
    // The service's base address, for clients of their own (one a thread).
    const std::string& url() const { return url_; }

private:
    std::filesystem::path temporaryDb_;
    std::unique_ptr<service::BackgroundService> local_;
    std::string url_;
    std::unique_ptr<DataService> client_;
};

}  // namespace vildo::cli
