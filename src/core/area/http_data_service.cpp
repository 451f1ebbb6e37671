#include "area/http_data_service.h"

#include <httplib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vildo {

namespace {

using Clock = std::chrono::steady_clock;

// The connection as the client reads it, with a budget on what comes before the body: cpp-httplib keeps
// every header line it is sent, so a server sending header lines for ever would fill the memory before any
// deadline. Past kMaxHeaderBytes the read fails.
class HeaderBudgetStream final : public httplib::Stream {
public:
    HeaderBudgetStream(httplib::Stream& inner, bool& flooded) : inner_(inner), flooded_(flooded) {}

    bool is_readable() const override { return inner_.is_readable(); }
    bool is_writable() const override { return inner_.is_writable(); }
    ssize_t write(const char* ptr, size_t size) override { return inner_.write(ptr, size); }
    void get_remote_ip_and_port(std::string& ip, int& port) const override { inner_.get_remote_ip_and_port(ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { inner_.get_local_ip_and_port(ip, port); }
    socket_t socket() const override { return inner_.socket(); }

    ssize_t read(char* ptr, size_t size) override {
        if (inBody_) return inner_.read(ptr, size);
        // Byte by byte until the empty line that ends the headers, so that none of the body is counted.
        const ssize_t n = inner_.read(ptr, 1);
        if (n <= 0) return n;
        if (++headerBytes_ > HttpDataService::kMaxHeaderBytes) {
            flooded_ = true;
            return -1;
        }
        const char c = *ptr;
        if (c == '\n') {
            inBody_ = lineLength_ == 0;
            lineLength_ = 0;
        } else if (c != '\r') {
            ++lineLength_;
        }
        return n;
    }

private:
    httplib::Stream& inner_;
    bool& flooded_;
    size_t headerBytes_ = 0, lineLength_ = 0;
    bool inBody_ = false;
};

// cpp-httplib's client with its connection read through HeaderBudgetStream.
class BudgetedClient final : public httplib::ClientImpl {
public:
    BudgetedClient(const std::string& host, int port) : httplib::ClientImpl(host, port) {}
    bool headerFlood = false;

private:
    bool process_socket(const Socket& socket, std::function<bool(httplib::Stream&)> callback) override {
        return httplib::detail::process_client_socket(socket.sock, read_timeout_sec_, read_timeout_usec_,
                                                      write_timeout_sec_, write_timeout_usec_,
                                                      [&](httplib::Stream& strm) {
                                                          headerFlood = false;
                                                          HeaderBudgetStream budgeted(strm, headerFlood);
                                                          return callback(budgeted);
                                                      });
    }
};

// Stops the client's socket at the deadline. The callbacks cannot do it alone: while the status line and
// headers come in, or while a server holds back its next byte, no callback runs, and each byte received
// restarts the read timeout.
class Watchdog {
public:
    Watchdog(httplib::ClientImpl& client, Clock::time_point deadline)
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

// httplib's reasons in the user's language; the rare ones keep httplib's own words.
std::string failureText(httplib::Error e) {
    switch (e) {
        case httplib::Error::Connection: return "anslutningen kunde inte upprättas";
        case httplib::Error::ConnectionTimeout: return "anslutningen tog för lång tid";
        case httplib::Error::Read: return "svaret kunde inte läsas";
        case httplib::Error::Write: return "frågan kunde inte skickas";
        case httplib::Error::Canceled: return "frågan avbröts";
        case httplib::Error::BindIPAddress: return "den lokala adressen kunde inte användas";
        default: return httplib::to_string(e);
    }
}

}  // namespace

HttpDataService::HttpDataService(const std::string& baseUrl, int connectTimeoutSec, int readTimeoutSec,
                                 std::chrono::milliseconds deadline)
    : connectTimeout_(connectTimeoutSec),
      readTimeout_(readTimeoutSec),
      deadline_(deadline),
      total_(std::chrono::milliseconds::max()) {
    size_t scheme = baseUrl.find("://");
    std::string s = scheme == std::string::npos ? "" : baseUrl.substr(0, scheme);
    if (s != "http" && s != "https") throw ServiceError("Ogiltig adress till datatjänsten: " + baseUrl);
    size_t slash = baseUrl.find('/', scheme + 3);
    host_ = baseUrl.substr(0, slash);
    if (host_.size() == scheme + 3) throw ServiceError("Ogiltig adress till datatjänsten: " + baseUrl);
    path_ = slash == std::string::npos ? "/" : baseUrl.substr(slash);
    if (path_.back() != '/') path_ += '/';
    secure_ = s == "https";
    std::string hostPort = host_.substr(scheme + 3);
    port_ = secure_ ? 443 : 80;
    const size_t colon = hostPort.rfind(':');
    if (colon != std::string::npos && hostPort.find(']', colon) == std::string::npos) {
        const std::string digits = hostPort.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(digits) > 65535)
            throw ServiceError("Ogiltig adress till datatjänsten: " + baseUrl);
        port_ = std::stoi(digits);
        hostPort.resize(colon);
    }
    if (hostPort.size() > 2 && hostPort.front() == '[' && hostPort.back() == ']')
        hostPort = hostPort.substr(1, hostPort.size() - 2);
    hostName_ = hostPort;
}

void HttpDataService::limitTotal(std::chrono::milliseconds total) {
    total_ = total;
    spent_ = std::chrono::milliseconds(0);
}

std::string HttpDataService::get(const std::string& script, const std::string& query) {
    if (secure_) throw ServiceError("Krypterade anslutningar (https) kan inte användas till datatjänsten");
    const Clock::time_point start = Clock::now();
    // Each request has its own deadline, and all of them together the total that is left.
    const std::chrono::milliseconds left = total_ - spent_;
    if (left.count() <= 0) throw ServiceError("Datatjänsten svarade inte i tid");
    const Clock::time_point deadline = start + std::min(deadline_, left);
    struct Spend {
        HttpDataService& s;
        Clock::time_point start;
        ~Spend() { s.spent_ += std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start); }
    } spend{*this, start};

    BudgetedClient client(hostName_, port_);
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
    if (status != 0 && status != 200) throw ServiceStatusError(status);
    if (res) return body;
    if (client.headerFlood)
        throw ServiceError("Datatjänstens svar har mer än " + std::to_string(kMaxHeaderBytes) + " byte rubriker");
    if (tooLarge) throw ServiceError("Datatjänstens svar är större än " + std::to_string(kMaxAnswerBytes) + " byte");
    if (Clock::now() >= deadline) throw ServiceError("Datatjänsten svarade inte i tid");
    throw ServiceError("Ingen kontakt med datatjänsten (" + failureText(res.error()) + ")");
}

std::string serviceUrlFromEnvironment() {
    const char* url = std::getenv("VILDO_SERVICE_URL");
    return url ? url : "";
}

}  // namespace vildo
