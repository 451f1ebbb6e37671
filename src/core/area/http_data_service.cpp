#include "area/http_data_service.h"

#include <httplib.h>

#include <cstdlib>

namespace vildo {

HttpDataService::HttpDataService(const std::string& baseUrl, int connectTimeoutSec, int readTimeoutSec)
    : connectTimeout_(connectTimeoutSec), readTimeout_(readTimeoutSec) {
    size_t scheme = baseUrl.find("://");
    std::string s = scheme == std::string::npos ? "" : baseUrl.substr(0, scheme);
    if (s != "http" && s != "https") throw ServiceError("Ogiltig adress till datatjänsten: " + baseUrl);
    size_t slash = baseUrl.find('/', scheme + 3);
    host_ = baseUrl.substr(0, slash);
    if (host_.size() == scheme + 3) throw ServiceError("Ogiltig adress till datatjänsten: " + baseUrl);
    path_ = slash == std::string::npos ? "/" : baseUrl.substr(slash);
    if (path_.back() != '/') path_ += '/';
}

std::string HttpDataService::get(const std::string& script, const std::string& query) {
    httplib::Client client(host_);
    client.set_connection_timeout(connectTimeout_, 0);
    client.set_read_timeout(readTimeout_, 0);
    client.set_write_timeout(readTimeout_, 0);
    auto res = client.Get(path_ + "produktion/" + script + "?" + query);
    if (!res) throw ServiceError("Ingen kontakt med datatjänsten (" + httplib::to_string(res.error()) + ")");
    return res->body;
}

std::string serviceUrlFromEnvironment() {
    const char* url = std::getenv("VILDO_SERVICE_URL");
    return url ? url : "";
}

}  // namespace vildo
