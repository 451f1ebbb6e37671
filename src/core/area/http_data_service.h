// The data service over HTTP (cpp-httplib): a fresh client per request, with connect and read timeouts, an
// overall deadline and a cap on the answer's size.
#pragma once
#include <chrono>
#include <cstddef>
#include <string>

#include "area/data_service.h"

namespace vildo {

class HttpDataService : public DataService {
public:
    // The largest real answer is a few kB; anything near this is not the service.
    static constexpr size_t kMaxAnswerBytes = 8u << 20;
    static constexpr std::chrono::milliseconds kDeadline{20000};

    // baseUrl: "http://host:port/" or with a path ("https://host/vildo/"); a missing final "/" is added.
    // Throws ServiceError for an address that is not http or https. deadline bounds a whole request,
    // however slowly the server keeps sending.
    explicit HttpDataService(const std::string& baseUrl, int connectTimeoutSec = 5, int readTimeoutSec = 20,
                             std::chrono::milliseconds deadline = kDeadline);

    // Any status but 200, an answer over kMaxAnswerBytes or past the deadline fails as a lost connection.
    std::string get(const std::string& script, const std::string& query) override;

    const std::string& hostPart() const { return host_; }
    const std::string& pathPart() const { return path_; }

private:
    std::string host_;  // scheme://host[:port]
    std::string path_;  // the base path, always ending in "/"
    int connectTimeout_, readTimeout_;
    std::chrono::milliseconds deadline_;
};

// The service address from VILDO_SERVICE_URL; empty when it is not set.
std::string serviceUrlFromEnvironment();

}  // namespace vildo
