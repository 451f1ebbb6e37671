#include "server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

#include "answers.h"
#include "ui/platform.h"

namespace vildo::service {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kRequestTime = std::chrono::seconds(ServerLimits::kRequestSeconds);
// Waits for a request are cut into slices of this length so that a silent client does not hold up a
// stopping server.
constexpr milliseconds kWaitSlice(100);

void endpoint(int sock, bool peer, std::string& ip, int& port) {
    sockaddr_storage addr{};
    socklen_t len = sizeof(addr);
    int rc = peer ? getpeername(sock, reinterpret_cast<sockaddr*>(&addr), &len)
                  : getsockname(sock, reinterpret_cast<sockaddr*>(&addr), &len);
    std::array<char, NI_MAXHOST> host{};
    std::array<char, NI_MAXSERV> serv{};
    if (rc != 0 || getnameinfo(reinterpret_cast<sockaddr*>(&addr), len, host.data(), host.size(), serv.data(),
                               serv.size(), NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return;
    ip = host.data();
    port = std::atoi(serv.data());
}

// The client connection as cpp-httplib reads and writes it. cpp-httplib's own read timeout restarts with
// every byte, so a client sending one byte a second would hold a worker for ever, and a body without a
// declared length is read whole. Here each request has a deadline and a byte budget for reading, and
// its answer a deadline for writing; a connection that overran either carries no further request.
class ConnectionStream final : public httplib::Stream {
public:
    ConnectionStream(int sock, const std::atomic<socket_t>& listening, milliseconds writeTime)
        : sock_(sock), listening_(listening), writeTime_(writeTime) {}

    // Waits up to `idle` for the next request; false when none comes or the server stops.
    bool awaitRequest(milliseconds idle) { return pos_ < end_ || waitUntil(POLLIN, Clock::now() + idle); }
    // The request about to be read must arrive whole within `readTime` and hold at most `budget` bytes.
    void beginRequest(milliseconds readTime, size_t budget) {
        readDeadline_ = Clock::now() + readTime;
        writeDeadline_.reset();
        budget_ = budget;
        overrun_ = false;
    }
    bool overrun() const { return overrun_; }

    bool is_readable() const override { return pos_ < end_ || waitUntil(POLLIN, readDeadline_); }
    bool is_writable() const override { return waitUntil(POLLOUT, writeDeadline()); }

    ssize_t read(char* ptr, size_t size) override {
        if (pos_ == end_) {
            if (budget_ == 0 || !is_readable()) {
                overrun_ = true;
                return -1;
            }
            ssize_t n;
            do n = recv(sock_, buffer_.data(), std::min(buffer_.size(), budget_), 0);
            while (n < 0 && errno == EINTR);
            if (n <= 0) return n;
            budget_ -= static_cast<size_t>(n);
            pos_ = 0;
            end_ = static_cast<size_t>(n);
        }
        size_t n = std::min(size, end_ - pos_);
        std::memcpy(ptr, buffer_.data() + pos_, n);
        pos_ += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* ptr, size_t size) override {
        if (!writeDeadline_) writeDeadline_ = Clock::now() + writeTime_;
        if (!is_writable()) {
            overrun_ = true;
            return -1;
        }
        ssize_t n;
        do n = send(sock_, ptr, size, MSG_NOSIGNAL);
        while (n < 0 && errno == EINTR);
        return n;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override { endpoint(sock_, true, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { endpoint(sock_, false, ip, port); }
    socket_t socket() const override { return sock_; }

private:
    Clock::time_point writeDeadline() const { return writeDeadline_.value_or(Clock::now() + writeTime_); }

    // A stopping server waits no longer for requests, but an answer under way is still written.
    bool waitUntil(short events, Clock::time_point deadline) const {
        for (;;) {
            if (events == POLLIN && listening_ == INVALID_SOCKET) return false;
            auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return false;
            pollfd p{sock_, events, 0};
            int rc = poll(&p, 1, static_cast<int>(std::min(left, kWaitSlice).count()));
            if (rc > 0) return true;
            if (rc < 0 && errno != EINTR) return false;
        }
    }

    int sock_;
    const std::atomic<socket_t>& listening_;
    milliseconds writeTime_;
    Clock::time_point readDeadline_{};
    std::optional<Clock::time_point> writeDeadline_;
    size_t budget_ = 0;
    bool overrun_ = false;
    std::array<char, 4096> buffer_{};
    size_t pos_ = 0, end_ = 0;
};

std::string refusalText(int status) {
    switch (status) {
        case 403: return "Förfrågningar från webbsidor tas inte emot";
        case 404: return "Okänd adress";
        case 413: return "För stor förfrågan";
        case 414: return "För lång adress";
        default: return "Felaktig förfrågan";
    }
}

}  // namespace

// cpp-httplib's server with its connections served through ConnectionStream and a longer listen backlog.
class HttpServer : public httplib::Server {
public:
    HttpServer() {
        new_task_queue = [] { return new httplib::ThreadPool(ServerLimits::kWorkers); };
        set_read_timeout(kRequestTime);
        set_write_timeout(kRequestTime);
        set_keep_alive_timeout(ServerLimits::kKeepAliveSeconds);
        set_keep_alive_max_count(ServerLimits::kKeepAliveRequests);
        set_payload_max_length(ServerLimits::kPayloadBytes);
    }

    // cpp-httplib listens with a backlog of 5, which overflows under load and costs a client a
    // one-second retransmission; listening again on the bound socket widens it.
    void widenBacklog() { ::listen(svr_sock_, ServerLimits::kListenBacklog); }

private:
    bool process_and_close_socket(socket_t sock) override {
        ConnectionStream stream(sock, svr_sock_, std::chrono::seconds(write_timeout_sec_));
        bool ok = false;
        for (size_t left = keep_alive_max_count_;
             left > 0 && stream.awaitRequest(std::chrono::seconds(keep_alive_timeout_sec_)); --left) {
            stream.beginRequest(std::chrono::seconds(read_timeout_sec_),
                                payload_max_length_ + ServerLimits::kHeaderBytes);
            bool closed = false;
            ok = process_request(stream, left == 1, closed, nullptr);
            if (!ok || closed || stream.overrun()) break;
        }
        ::shutdown(sock, SHUT_RDWR);
        ::close(sock);
        return ok;
    }
};

DataServiceServer::DataServiceServer(ServiceDatabase& db) : db_(db), server_(std::make_unique<HttpServer>()) {
    // The program's own client sends neither header; a page in the user's browser sends one of them and
    // must not read from or write to the service.
    server_->set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        const std::string site = req.get_header_value("Sec-Fetch-Site");
        if (!req.has_header("Origin") && (site.empty() || site == "none" || site == "same-origin"))
            return httplib::Server::HandlerResponse::Unhandled;
        res.status = 403;
        res.set_header("Connection", "close");  // a body it may carry is left unread
        res.set_content(refusalText(res.status), "text/plain; charset=utf-8");
        return httplib::Server::HandlerResponse::Handled;
    });
    server_->Get(R"(/produktion/([A-Za-z0-9_]+\.php))", [this](const httplib::Request& req, httplib::Response& res) {
        Answer a;
        try {
            std::lock_guard<std::mutex> lock(dbMutex_);
            a = answer(db_, req.matches[1], req.params);
        } catch (const std::exception& e) {
            a = {500, std::string("Fel i datatjänsten: ") + e.what()};
        }
        res.status = a.status;
        res.set_content(a.body, "text/plain; charset=utf-8");
    });
    server_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) res.set_content(refusalText(res.status), "text/plain; charset=utf-8");
    });
}

DataServiceServer::~DataServiceServer() = default;

int DataServiceServer::bind(const std::string& host, int port) {
    int bound = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) throw DataError("Kan inte lyssna på " + host + ":" + std::to_string(port));
    server_->widenBacklog();
    return bound;
}

void DataServiceServer::listen() { server_->listen_after_bind(); }

void DataServiceServer::stop() {
    // A stop before the listening loop has begun would be lost and leave listen() running for ever.
    for (int i = 0; i < 5000 && !server_->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    server_->stop();
}

std::unique_ptr<ServiceDatabase> openServiceDatabase(const std::filesystem::path& file,
                                                     const std::filesystem::path& seedDir) {
    auto db = std::make_unique<ServiceDatabase>(file);
    std::error_code ec;
    if (!db->seeded() && std::filesystem::is_directory(seedDir / "areas", ec)) db->importSeed(seedDir);
    return db;
}

std::filesystem::path defaultSeedDir() {
    // An installed program reads the data installed with it; one run from its build tree, the source tree's.
    const std::filesystem::path share = installedShareDir(runningProgramDir());
    return share.empty() ? std::filesystem::path(VILDO_SEED_DIR) : share / "data";
}

BackgroundService::BackgroundService(const std::filesystem::path& dbFile, const std::filesystem::path& seedDir,
                                     const std::string& host, int port)
    : db_(openServiceDatabase(dbFile, seedDir)), server_(*db_), host_(host), port_(server_.bind(host, port)) {
    thread_ = std::thread([this] { server_.listen(); });
}

BackgroundService::~BackgroundService() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
}

std::string BackgroundService::url() const { return "http://" + host_ + ":" + std::to_string(port_) + "/"; }

}  // namespace vildo::service
