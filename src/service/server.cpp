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
#include "connection_dispatcher.h"
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

// What the headers of a request say about how it is framed and where it comes from, read from the raw
// lines: cpp-httplib keeps only the first of headers sent twice, and drops some it cannot parse.
struct RequestHead {
    size_t headerLines = 0, headerBytes = 0;
    bool tooLarge = false;
    int origins = 0, hosts = 0;
    bool foreignSite = false;  // a Sec-Fetch-Site other than same-origin or none
    std::string host;
    bool contentLength = false, chunked = false;  // Content-Length, Transfer-Encoding
    bool body = false;                            // either announces a body

    void take(const std::string& line) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) return;
        std::string name = line.substr(0, colon);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        std::string value = line.substr(colon + 1);
        const auto first = value.find_first_not_of(" \t"), last = value.find_last_not_of(" \t\r\n");
        value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        if (name == "origin") {
            ++origins;
        } else if (name == "sec-fetch-site") {
            foreignSite = foreignSite || (value != "same-origin" && value != "none");
        } else if (name == "host") {
            ++hosts;
            host = value;
        } else if (name == "content-length") {
            contentLength = true;
            body = body || value.find_first_not_of('0') != std::string::npos;
        } else if (name == "transfer-encoding") {
            chunked = true;
            body = true;
        }
    }
};

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
        head_ = RequestHead{};
        phase_ = Phase::RequestLine;
        line_.clear();
    }
    bool overrun() const { return overrun_; }
    // Bytes already received and not yet read: the start of the next request.
    bool hasBuffered() const { return pos_ < end_; }
    const RequestHead& head() const { return head_; }
    // The connection ends after the answer being written, whatever the request asked.
    void closeAfterAnswer() { closeAfter_ = true; }
    bool closeAfter() const { return closeAfter_; }

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
        // While the head comes in, it is read a line at a time, so that nothing of the body is taken for it.
        if (phase_ != Phase::Body) {
            const char* nl = static_cast<const char*>(std::memchr(buffer_.data() + pos_, '\n', n));
            if (nl) n = static_cast<size_t>(nl - (buffer_.data() + pos_)) + 1;
            if (!account(buffer_.data() + pos_, n)) {
                overrun_ = true;
                return -1;
            }
        }
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

    // Takes n bytes of the head, at most one line's end among them; false past the limits of a head.
    bool account(const char* p, size_t n) {
        if (phase_ == Phase::Headers) {
            head_.headerBytes += n;
            if (head_.headerBytes > ServerLimits::kHeaderBytes) head_.tooLarge = true;
        }
        if (!head_.tooLarge) line_.append(p, n);
        if (n == 0 || p[n - 1] != '\n') return !head_.tooLarge;
        if (phase_ == Phase::RequestLine) {
            phase_ = Phase::Headers;
        } else if (line_ == "\r\n" || line_ == "\n") {
            phase_ = Phase::Body;
        } else if (++head_.headerLines > ServerLimits::kHeaderLines) {
            head_.tooLarge = true;
        } else if (!head_.tooLarge) {
            head_.take(line_);
        }
        line_.clear();
        return !head_.tooLarge;
    }

    enum class Phase { RequestLine, Headers, Body };

    int sock_;
    const std::atomic<socket_t>& listening_;
    RequestHead head_;
    Phase phase_ = Phase::RequestLine;
    std::string line_;
    bool closeAfter_ = false;
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
        case 431: return "För många eller för stora rubriker i förfrågan";
        case 503: return "Datatjänsten är upptagen, försök igen om en stund";
        default: return "Felaktig förfrågan";
    }
}

// The connection a worker is serving: the handlers see its raw request head through it.
thread_local ConnectionStream* currentStream = nullptr;

// Closes a connection. When the client may still be sending (a request refused before it was read), what
// comes is read and dropped for a moment first: closing with unread bytes would reset the connection and
// could take the answer with it.
void closeConnection(int sock, bool drain) {
    if (drain) {
        ::shutdown(sock, SHUT_WR);
        const Clock::time_point until = Clock::now() + milliseconds(250);
        std::array<char, 16384> sink;
        size_t dropped = 0;
        for (;;) {
            const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
            pollfd p{sock, POLLIN, 0};
            if (left <= 0 || dropped > ServerLimits::kPayloadBytes || ::poll(&p, 1, static_cast<int>(left)) <= 0) break;
            const ssize_t n = ::recv(sock, sink.data(), sink.size(), MSG_DONTWAIT);
            if (n <= 0) break;
            dropped += static_cast<size_t>(n);
        }
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
}

// "Busy", without waiting for anything: it is written on the thread that watches every connection.
void refuseBusy(int sock) {
    std::array<char, 16384> sink;
    while (::recv(sock, sink.data(), sink.size(), MSG_DONTWAIT) > 0) {
    }
    const std::string body = refusalText(503);
    const std::string answer =
        "HTTP/1.1 503 Service Unavailable\r\nContent-Type: text/plain; charset=utf-8\r\n"
        "Content-Length: " +
        std::to_string(body.size()) + "\r\nRetry-After: 1\r\nConnection: close\r\n\r\n" + body;
    [[maybe_unused]] ssize_t n = ::send(sock, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
}

// cpp-httplib hands each accepted connection to its task queue; this one passes it straight on to the
// dispatcher, on the accepting thread.
class InlineQueue final : public httplib::TaskQueue {
public:
    explicit InlineQueue(ConnectionDispatcher& dispatcher) : dispatcher_(dispatcher) {}
    void enqueue(std::function<void()> fn) override { fn(); }
    void shutdown() override { dispatcher_.stop(); }

private:
    ConnectionDispatcher& dispatcher_;
};

// The host part of a Host header, without its port; the port, or -1 when none is given.
std::pair<std::string, int> hostAndPort(const std::string& host) {
    std::string name = host;
    int port = -1;
    const size_t colon = name.rfind(':');
    if (colon != std::string::npos && name.find(']', colon) == std::string::npos) {
        const std::string digits = name.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return {"", 0};
        port = std::stoi(digits);
        name.resize(colon);
    }
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return {name, port};
}

}  // namespace

// cpp-httplib's server with its connections served through ConnectionStream, handed to workers by a
// ConnectionDispatcher, and a longer listen backlog.
class HttpServer : public httplib::Server {
public:
    HttpServer()
        : dispatcher_(
              {ServerLimits::kWorkers, ServerLimits::kQueued, ServerLimits::kWaitingConnections,
               milliseconds(ServerLimits::kFirstByteMilliseconds),
               std::chrono::seconds(ServerLimits::kKeepAliveSeconds)},
              [this](int sock, int left) { return serve(sock, left); }, refuseBusy) {
        new_task_queue = [this] { return new InlineQueue(dispatcher_); };
        set_read_timeout(kRequestTime);
        set_write_timeout(kRequestTime);
        set_keep_alive_timeout(ServerLimits::kKeepAliveSeconds);
        set_keep_alive_max_count(ServerLimits::kKeepAliveRequests);
        set_payload_max_length(ServerLimits::kPayloadBytes);
    }
    ~HttpServer() override { dispatcher_.stop(); }

    // cpp-httplib listens with a backlog of 5, which overflows under load and costs a client a
    // one-second retransmission; listening again on the bound socket widens it.
    void widenBacklog() { ::listen(svr_sock_, ServerLimits::kListenBacklog); }

    // The name the service was bound to; a Host header naming it is the service's own.
    void setBoundHost(const std::string& host) { boundHost_ = hostAndPort(host).first; }

    // A Host header that names this service: the address it was bound to or the connection's own, or
    // localhost, with the port it listens on if any. Anything else is a name that a foreign page made point
    // here (DNS rebinding).
    bool ownHost(const std::string& host, const httplib::Request& req) const {
        const auto [name, port] = hostAndPort(host);
        if (name.empty() || (port != -1 && port != req.local_port)) return false;
        const bool wildcard = boundHost_ == "0.0.0.0" || boundHost_ == "::" || boundHost_.empty();
        return name == "localhost" || name == req.local_addr || (!wildcard && name == boundHost_);
    }

private:
    bool process_and_close_socket(socket_t sock) override {
        dispatcher_.admit(sock, static_cast<int>(keep_alive_max_count_));
        return true;
    }

    // Serves requests while they come back to back; a connection that goes quiet between requests waits
    // in the dispatcher again, not on this worker.
    int serve(int sock, int left) {
        ConnectionStream stream(sock, svr_sock_, std::chrono::seconds(write_timeout_sec_));
        currentStream = &stream;
        struct Reset {
            ~Reset() { currentStream = nullptr; }
        } reset;
        for (; left > 0; --left) {
            stream.beginRequest(std::chrono::seconds(read_timeout_sec_),
                                payload_max_length_ + ServerLimits::kRequestLineBytes + ServerLimits::kHeaderBytes);
            bool closed = false;
            const bool ok = process_request(stream, left == 1, closed, nullptr);
            if (!ok || closed || stream.overrun() || stream.closeAfter()) {
                closeConnection(sock, stream.overrun() || stream.closeAfter());
                return 0;
            }
            if (!stream.hasBuffered()) break;
        }
        if (left <= 1) {
            closeConnection(sock, false);
            return 0;
        }
        return left - 1;
    }

    ConnectionDispatcher dispatcher_;
    std::string boundHost_;
};

DataServiceServer::DataServiceServer(ServiceDatabase& db) : db_(db), server_(std::make_unique<HttpServer>()) {
    // The program's own client sends neither Origin nor a cross-site Sec-Fetch-Site, and names the service
    // by its address; a page in the user's browser must not read from or write to the service.
    server_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        auto refuse = [&](int status) {
            res.status = status;
            res.set_header("Connection", "close");  // a body it may carry is left unread
            res.set_content(refusalText(res.status), "text/plain; charset=utf-8");
            if (currentStream) currentStream->closeAfterAnswer();
            return httplib::Server::HandlerResponse::Handled;
        };
        if (!currentStream) return refuse(400);
        const RequestHead& head = currentStream->head();
        if (head.origins > 0 || head.foreignSite) return refuse(403);
        if (head.hosts != 1 || !server_->ownHost(head.host, req)) return refuse(403);
        // A body the handlers do not read would be taken for the next request.
        if ((head.contentLength && head.chunked) || ((req.method == "GET" || req.method == "HEAD") && head.body))
            return refuse(400);
        return httplib::Server::HandlerResponse::Unhandled;
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
        // Headers past their limits fail the read of the head: say which limit it was.
        if (currentStream && currentStream->head().tooLarge) {
            res.status = 431;
            res.body.clear();
            currentStream->closeAfterAnswer();
        }
        if (res.status >= 400 && res.status != 404) res.set_header("Connection", "close");
        if (res.body.empty()) res.set_content(refusalText(res.status), "text/plain; charset=utf-8");
    });
}

DataServiceServer::~DataServiceServer() = default;

int DataServiceServer::bind(const std::string& host, int port) {
    int bound = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) throw DataError("Kan inte lyssna på " + host + ":" + std::to_string(port));
    server_->widenBacklog();
    server_->setBoundHost(host);
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
