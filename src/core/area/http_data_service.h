// The data service over HTTP (cpp-httplib): a fresh client per request, with connect and read timeouts, a
// deadline per request and one for all of them, and caps on the answer's headers and size.
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
    // What a whole command may wait for the service, over all of its requests.
    static constexpr std::chrono::milliseconds kCommandDeadline{60000};
    // The status line and headers of a real answer take a few hundred bytes.
    static constexpr size_t kMaxHeaderBytes = 64u << 10;

    // baseUrl: "http://host:port/" or with a path ("https://host/vildo/"); a missing final "/" is added.
    // Throws ServiceError for an address that is not http or https. deadline bounds a whole request,
    // however slowly the server keeps sending.
    explicit HttpDataService(const std::string& baseUrl, int connectTimeoutSec = 5, int readTimeoutSec = 20,
                             std::chrono::milliseconds deadline = kDeadline);

    // Any status but 200 (ServiceStatusError), headers over kMaxHeaderBytes, an answer over kMaxAnswerBytes
    // or past the deadline fails as a lost connection.
    std::string get(const std::string& script, const std::string& query) override;
    std::string address() const override { return host_ + path_; }

    // From now on, all requests together may take `total`; once it is spent every request fails at once.
    // Without it only each request's deadline bounds them.
    void limitTotal(std::chrono::milliseconds total);

    const std::string& hostPart() const { return host_; }
    const std::string& pathPart() const { return path_; }

private:
    std::string host_;  // scheme://host[:port]
    std::string path_;  // the base path, always ending in "/"
    std::string hostName_;
    int port_ = 80;
    bool secure_ = false;
    int connectTimeout_, readTimeout_;
    std::chrono::milliseconds deadline_, total_, spent_{0};
};

// The service address from VILDO_SERVICE_URL; empty when it is not set.
std::string serviceUrlFromEnvironment();

}  // namespace vildo
