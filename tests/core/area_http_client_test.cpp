// The data-service client against servers that misbehave: error statuses, answers that never end or never
// stop growing. Every request must end in a ServiceError within its deadline.
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "area/data_service.h"
#include "area/http_data_service.h"

namespace vildo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kDeadline = 1s;
// Far above the deadline, so a loaded machine cannot fail it, far below "for ever".
constexpr auto kHang = 8s;

class MisbehavingServer : public ::testing::Test {
protected:
    void SetUp() override {
        server.Get("/produktion/ok.php", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("Uppsala|Norra Uppland", "text/plain");
        });
        // Error statuses with a body that would pass for data.
        server.Get(R"(/produktion/status(\d+)\.php)", [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.matches[1]);
            res.set_content("Uppsala|Norra Uppland", "text/plain");
        });
        server.Get(R"(/produktion/size(\d+)\.php)", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(std::string(std::stoull(req.matches[1]), 'x'), "text/plain");
        });
        // One byte every 300 ms: each byte restarts the read timeout.
        server.Get("/produktion/drip.php", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain", [this](size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(300ms);
                return !stopping && sink.write("x", 1);
            });
        });
        server.Get("/produktion/endless.php", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain", [this](size_t, httplib::DataSink& sink) {
                static const std::string block(65536, 'x');
                return !stopping && sink.write(block.data(), block.size());
            });
        });
        // Each answer takes 300 ms: a command of many requests runs into its total deadline.
        server.Get("/produktion/slow.php", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(300ms);
            res.set_content("Uppsala|Norra Uppland", "text/plain");
        });
        port = server.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running()) std::this_thread::sleep_for(1ms);
    }
    void TearDown() override {
        stopping = true;
        server.stop();
        if (thread.joinable()) thread.join();
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port) + "/"; }

    httplib::Server server;
    std::thread thread;
    std::atomic<bool> stopping{false};
    int port = 0;
};

TEST_F(MisbehavingServer, OnlyStatus200IsAnAnswer) {
    HttpDataService client(url(), 1, 5, kDeadline);
    EXPECT_EQ(client.get("ok.php", "a=3"), "Uppsala|Norra Uppland");
    for (const char* script :
         {"status400.php", "status404.php", "status500.php", "status302.php", "status204.php", "nothing.php"})
        EXPECT_THROW(client.get(script, "a=3"), ServiceError) << script;
    HttpDataService wrongPath(url() + "wrong/", 1, 5, kDeadline);
    EXPECT_THROW(wrongPath.get("ok.php", "a=3"), ServiceError);
}

TEST_F(MisbehavingServer, AnAnswerOverTheCapFails) {
    HttpDataService client(url(), 1, 5, 10s);
    const size_t cap = HttpDataService::kMaxAnswerBytes;
    struct Case {
        size_t bytes;
        bool answered;
    };
    for (Case c : {Case{cap, true}, Case{cap + 1, false}, Case{20u << 20, false}}) {
        const std::string script = "size" + std::to_string(c.bytes) + ".php";
        if (c.answered)
            EXPECT_EQ(client.get(script, "").size(), c.bytes);
        else
            EXPECT_THROW(client.get(script, ""), ServiceError) << c.bytes;
    }
}

// The drip ends at the deadline, the endless answer at the cap, whichever comes first.
TEST_F(MisbehavingServer, AnAnswerThatNeverEndsFailsWithinTheDeadline) {
    HttpDataService client(url(), 1, 5, kDeadline);
    for (const char* script : {"drip.php", "endless.php"}) {
        const Clock::time_point start = Clock::now();
        EXPECT_THROW(client.get(script, ""), ServiceError) << script;
        EXPECT_LT(Clock::now() - start, kHang) << script;
    }
}

TEST_F(MisbehavingServer, ACommandsRequestsTogetherEndAtItsTotalDeadline) {
    HttpDataService client(url(), 1, 5, 1s);
    client.limitTotal(1s);
    const Clock::time_point start = Clock::now();
    int answered = 0;
    std::string failure;
    for (int i = 0; i < 21; ++i) {  // as many requests as the area names take
        try {
            client.get("slow.php", "");
            ++answered;
        } catch (const ServiceError& e) {
            failure = e.what();
        }
    }
    EXPECT_LT(Clock::now() - start, 2500ms);
    EXPECT_GE(answered, 1);
    EXPECT_LE(answered, 3);
    EXPECT_EQ(failure, "Datatjänsten svarade inte i tid");
}

// A raw loopback server on its own thread: `talk` gets the accepted connection.
class RawServer {
public:
    explicit RawServer(std::function<void(int)> talk) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this, talk] {
            const int conn = ::accept(listener_, nullptr, nullptr);
            if (conn < 0) return;
            talk(conn);
            ::close(conn);
        });
    }
    ~RawServer() {
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    int listener_ = -1, port_ = 0;
    std::thread thread_;
};

// Header lines without end, as fast as the client takes them: it must stop at its header budget, long before
// the deadline, instead of keeping every line. The server gives up after 16 MB.
TEST(HeaderFlood, AnEndlessStreamOfHeaderLinesFailsPastTheHeaderBudget) {
    RawServer flood([](int conn) {
        std::string lines = "HTTP/1.1 200 OK\r\n";
        for (int i = 0; i < 8192; ++i) lines += "X-a: b\r\n";
        size_t sent = 0;
        while (sent < (16u << 20) && ::send(conn, lines.data(), lines.size(), MSG_NOSIGNAL) > 0) {
            sent += lines.size();
            lines = lines.substr(lines.find('\n') + 1);  // the status line once
        }
    });
    HttpDataService client(flood.url(), 1, 5, 10s);
    const Clock::time_point start = Clock::now();
    try {
        client.get("vildoAFOsql.php", areaNamesQuery(3));
        ADD_FAILURE() << "the flood was taken as an answer";
    } catch (const ServiceError& e) {
        EXPECT_EQ(std::string(e.what()), "Datatjänstens svar har mer än 65536 byte rubriker");
    }
    EXPECT_LT(Clock::now() - start, 5s);
}

// A raw server that sends its status line and then one header byte every 300 ms: while the headers come in no
// callback of the client runs, so only the deadline itself can end the request.
TEST(SlowHeaders, AServerDrippingItsHeadersFailsAtTheDeadline) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    std::thread dripper([listener] {
        const int conn = ::accept(listener, nullptr, nullptr);
        if (conn < 0) return;
        const std::string status = "HTTP/1.1 200 OK\r\n";
        bool open = ::send(conn, status.data(), status.size(), MSG_NOSIGNAL) > 0;
        for (int i = 0; open && i < 100; ++i) {
            std::this_thread::sleep_for(300ms);
            open = ::send(conn, i % 2 ? "y" : "X-", i % 2 ? 1 : 2, MSG_NOSIGNAL) > 0;
        }
        ::close(conn);
    });
    HttpDataService client("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/", 1, 5, kDeadline);
    const Clock::time_point start = Clock::now();
    EXPECT_THROW(client.get("vildoAFOsql.php", areaNamesQuery(3)), ServiceError);
    EXPECT_LT(Clock::now() - start, kHang);
    dripper.join();
    ::close(listener);
}

}  // namespace
}  // namespace vildo
