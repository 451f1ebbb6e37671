#include "area/http_data_service.h"

#include <httplib.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vildo {

namespace {

using Clock = std::chrono::steady_clock;

// Stops the client's socket at the deadline. The callbacks cannot do it alone: while the status line and
// headers come in, or while a server holds back its next byte, no callback runs, and each byte received
// restarts the read timeout.
class Watchdog {
public:
    Watchdog(httplib::Client& client, Clock::time_point deadline)
        : thread_([this, &client, deadline] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (done_cv_.wait_until(lock, deadline, [this] { return done_; })) return;
              // A stop that comes while the connection is being made has nothing to shut yet: repeat it.
              while (!done_) {
                  lock.unlock();
                  client.stop();
                  lock.lock();
                  done_cv_.wait_for(lock, std::chrono::milliseconds(50), [this] { return done_; });
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace

HttpDataService::HttpDataService(const std::string& baseUrl, int connectTimeoutSec, int readTimeoutSec,
                                 std::chrono::milliseconds deadline)
    : connectTimeout_(connectTimeoutSec), readTimeout_(readTimeoutSec), deadline_(deadline) {
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
    const Clock::time_point deadline = Clock::now() + deadline_;
    httplib::Client client(host_);
    client.set_connection_timeout(connectTimeout_, 0);
    client.set_read_timeout(readTimeout_, 0);
    client.set_write_timeout(readTimeout_, 0);
    int status = 0;
    bool tooLarge = false;
    std::string body;
    httplib::Result res = [&] {
        Watchdog watchdog(client, deadline);
        return client.Get(
            path_ + "produktion/" + script + "?" + query,
            // A status other than 200 ends the request before its body is read.
            [&](const httplib::Response& r) {
                status = r.status;
                return status == 200;
            },
            [&](const char* data, size_t n) {
                tooLarge = n > kMaxAnswerBytes - body.size();
                if (tooLarge) return false;
                body.append(data, n);
                return true;
            },
            [&](uint64_t, uint64_t) { return Clock::now() < deadline; });
    }();
    if (res) status = res->status;  // an answer without a body skips the response handler
    if (status != 0 && status != 200) throw ServiceError("Datatjänsten svarade med status " + std::to_string(status));
    if (res) return body;
    if (tooLarge) throw ServiceError("Datatjänstens svar är större än " + std::to_string(kMaxAnswerBytes) + " byte");
    if (Clock::now() >= deadline) throw ServiceError("Datatjänsten svarade inte i tid");
    throw ServiceError("Ingen kontakt med datatjänsten (" + httplib::to_string(res.error()) + ")");
}

std::string serviceUrlFromEnvironment() {
    const char* url = std::getenv("VILDO_SERVICE_URL");
    return url ? url : "";
}

}  // namespace vildo
