// The data service over HTTP (cpp-httplib): a fresh client per request, with connect and read timeouts.
#pragma once
#include <string>

#include "area/data_service.h"

namespace vildo {

class HttpDataService : public DataService {
public:
    // baseUrl: "http://host:port/" or with a path ("https://host/vildo/"); a missing final "/" is added.
    // Throws ServiceError for an address that is not http or https.
    explicit HttpDataService(const std::string& baseUrl, int connectTimeoutSec = 5, int readTimeoutSec = 20);

    std::string get(const std::string& script, const std::string& query) override;

    const std::string& hostPart() const { return host_; }
    const std::string& pathPart() const { return path_; }

private:
    std::string host_;  // scheme://host[:port]
    std::string path_;  // the base path, always ending in "/"
    int connectTimeout_, readTimeout_;
};

// The service address from VILDO_SERVICE_URL; empty when it is not set.
std::string serviceUrlFromEnvironment();

}  // namespace vildo
