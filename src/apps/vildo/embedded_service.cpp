#include "embedded_service.h"

#include <filesystem>

#include "app/vildo.h"
#include "area/http_data_service.h"
#include "service/server.h"

namespace vildo {

namespace {

// Short timeouts: a request blocks the window, so a dead service must not hold it for long.
constexpr int kConnectTimeoutSec = 3;
constexpr int kReadTimeoutSec = 15;

}  // namespace

ServiceConnection::ServiceConnection(const Vildo& app, std::string url) : app_(app), url_(std::move(url)) {
    if (!url_.empty()) client_ = std::make_unique<HttpDataService>(url_, kConnectTimeoutSec, kReadTimeoutSec);
}

ServiceConnection::~ServiceConnection() {
    client_.reset();
    embedded_.reset();
}

std::string ServiceConnection::get(const std::string& script, const std::string& query) {
    if (!client_) {
        // The folders are known by the first request: the database lives with the application's own files.
        const std::filesystem::path dir =
            app_.Paths.Appdata.empty() ? app_.platform.exeDir : std::filesystem::path(app_.Paths.Appdata);
        try {
            embedded_ =
                std::make_unique<service::BackgroundService>(dir / "vildo-dataservice.db", service::defaultSeedDir());
        } catch (const std::exception& e) {
            throw ServiceError(std::string("Datatjänsten kunde inte starta: ") + e.what());
        }
        url_ = embedded_->url();
        client_ = std::make_unique<HttpDataService>(url_, kConnectTimeoutSec, kReadTimeoutSec);
    }
    return client_->get(script, query);
}

}  // namespace vildo
