// The data service the window talks to: the address given, or the stand-in service started in-process on
// a free loopback port at the first request, with its database in the application folder.
#pragma once
#include <memory>
#include <string>

#include "area/data_service.h"

namespace vildo {

struct Vildo;

namespace service {
class BackgroundService;
}

class ServiceConnection : public DataService {
public:
    // url: the service's address; empty to start the embedded one when first asked.
    ServiceConnection(const Vildo& app, std::string url);
    ~ServiceConnection() override;

    std::string get(const std::string& script, const std::string& query) override;
    std::string address() const override { return url_; }
    // The address in use; empty while the embedded service has not started.
    const std::string& url() const { return url_; }

private:
    const Vildo& app_;
    std::string url_;
    std::unique_ptr<service::BackgroundService> embedded_;
    std::unique_ptr<DataService> client_;
};

}  // namespace vildo
