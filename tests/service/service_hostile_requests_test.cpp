// The service against careless and hostile clients: slow senders, oversized bodies, values the program
// cannot hold and requests from web pages. Raw sockets on loopback, each case bounded to a few seconds.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <thread>
#include <vector>

#include "service/answers.h"
#include "service/server.h"
#include "service_test_support.h"

namespace vildo::service {
namespace {

using Clock = std::chrono::steady_clock;
using test::areaCsv;

constexpr const char* kNamesPath = "/produktion/vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata";
constexpr const char* kCachedFitPath = "/produktion/vildosql_R2.php?a=3&b=1&c=2012&d=vildodata&e=6&f=2&g=2";

// A client socket on loopback; sends and receives give up after `timeout`.
class Connection {
public:
    Connection(int port, std::chrono::seconds timeout = std::chrono::seconds(3)) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        timeval tv{static_cast<time_t>(timeout.count()), 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    }
    ~Connection() { close(fd_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool connected() const { return connected_; }
    // False once the server has closed the connection or stopped taking data.
    bool send(const std::string& data) {
        size_t done = 0;
        while (done < data.size()) {
            ssize_t n = ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
    // Everything until the server closes, a receive times out or fails.
    std::string receiveAll() {
        std::string all;
        char buf[4096];
        for (ssize_t n; (n = recv(fd_, buf, sizeof(buf), 0)) > 0;) all.append(buf, static_cast<size_t>(n));
        return all;
    }
    // True when the server has closed the connection (or reset it) within `wait`.
    bool closedWithin(std::chrono::milliseconds wait) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(wait.count())) <= 0) return false;
        char buf[4096];
        ssize_t n = recv(fd_, buf, sizeof(buf), MSG_DONTWAIT);
        return n <= 0;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

std::string getRequest(const std::string& target, const std::string& extraHeaders = "") {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders + "Connection: close\r\n\r\n";
}

struct Reply {
    int status = 0;
    std::string body;
};

// One request on a fresh connection; status 0 when no answer came.
Reply exchange(int port, const std::string& request) {
    Connection c(port);
    if (!c.connected() || !c.send(request)) return {};
    std::string raw = c.receiveAll();
    Reply r;
    if (raw.rfind("HTTP/1.1 ", 0) == 0) r.status = std::atoi(raw.c_str() + 9);
    if (size_t end = raw.find("\r\n\r\n"); end != std::string::npos) r.body = raw.substr(end + 4);
    return r;
}

// The peak resident size of this process, which runs the service too.
long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

std::string uploadPath(const std::map<std::string, std::string>& replaced = {}) {
    std::map<std::string, std::string> keys{{"c", "0,8123"},    {"d", "230"},    {"e", "8,500"}, {"f", "3012012"},
                                            {"g", "vildodata"}, {"h", "-0,500"}, {"i", "6"},     {"j", "2"},
                                            {"k", "2"},         {"l", "1,200"},  {"m", "10"}};
    for (const auto& [k, v] : replaced) keys[k] = v;
    std::string path = "/produktion/vr2sql.php?";
    for (const auto& [k, v] : keys) path += (path.back() == '?' ? "" : "&") + k + "=" + v;
    return path;
}

class HostileClients : public ::testing::Test {
protected:
    void SetUp() override {
        seed.add("03_01.csv", areaCsv(3, 1, "Norra Uppland"));
        server = std::make_unique<BackgroundService>(seed.db, seed.seed);
    }
    int port() const { return server->port(); }
    test::SeedFolder seed;
    std::unique_ptr<BackgroundService> server;
};

// Sixteen clients each send one header byte a second. Ordinary requests are answered meanwhile, and the
// slow ones are dropped once their request time is up.
TEST_F(HostileClients, SlowClientsAreDroppedWhileOthersAreAnswered) {
    constexpr int kSlow = 16;
    const auto limit = std::chrono::seconds(ServerLimits::kRequestSeconds + 3);
    std::vector<double> droppedAfter(kSlow, -1);
    std::vector<std::thread> slow;
    for (int i = 0; i < kSlow; ++i) {
        slow.emplace_back([&, i] {
            Connection c(port());
            const auto start = Clock::now();
            if (!c.send("GET " + std::string(kNamesPath) + " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ")) return;
            while (Clock::now() - start < limit) {
                if (!c.send("a") || c.closedWithin(std::chrono::seconds(1))) {
                    droppedAfter[i] = std::chrono::duration<double>(Clock::now() - start).count();
                    return;
                }
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    for (int i = 0; i < 10; ++i) {
        Reply r = exchange(port(), getRequest(kNamesPath));
        EXPECT_EQ(r.status, 200) << "request " << i;
        EXPECT_EQ(r.body, "Uppsala|Norra Uppland") << "request " << i;
    }
    for (std::thread& t : slow) t.join();
    for (int i = 0; i < kSlow; ++i) {
        EXPECT_GE(droppedAfter[i], ServerLimits::kRequestSeconds - 1) << "slow client " << i;  // not before its time
        EXPECT_GE(droppedAfter[i], 0) << "slow client " << i << " was never dropped";
    }
    EXPECT_EQ(exchange(port(), getRequest(kNamesPath)).status, 200);
}

// A body beyond the payload limit, declared, chunked without end or unannounced until the connection
// closes, is refused or cut off after about the limit; the service does not grow by what was sent.
TEST_F(HostileClients, AnOversizedBodyIsRefusedWithoutBeingKept) {
    const std::string piece(64 << 10, 'x');
    std::string chunk = "10000\r\n" + piece + "\r\n";  // 0x10000 bytes
    const struct {
        const char* what;
        std::string headers;
        std::string data;
    } cases[] = {
        {"declared length", "Content-Length: 419430400\r\n", piece},
        {"chunked", "Transfer-Encoding: chunked\r\n", chunk},
        {"no length", "Connection: close\r\n", piece},
    };
    constexpr size_t kOffered = 64 << 20;
    for (const auto& c : cases) {
        const long peakBefore = peakResidentKb();
        Connection conn(port(), std::chrono::seconds(2));
        ASSERT_TRUE(conn.connected());
        size_t sent = 0;
        if (conn.send("POST /produktion/vr2sql.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + c.headers + "\r\n"))
            while (sent < kOffered && conn.send(c.data)) sent += c.data.size();
        EXPECT_LT(sent, kOffered / 2) << c.what << ": the service kept reading";
        std::string answer = conn.receiveAll();
        if (!answer.empty()) {
            EXPECT_TRUE(answer.rfind("HTTP/1.1 413", 0) == 0 || answer.rfind("HTTP/1.1 400", 0) == 0)
                << c.what << ": " << answer.substr(0, 40);
        }
        EXPECT_LT(peakResidentKb() - peakBefore, 16 << 10) << c.what;
    }
    Reply small = exchange(port(),
                           "POST /produktion/x HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 1000\r\n"
                           "Connection: close\r\n\r\n" +
                               std::string(1000, 'x'));
    EXPECT_EQ(small.status, 404);  // a body within the limit is read and the address judged as before
    EXPECT_EQ(exchange(port(), getRequest(kNamesPath)).status, 200);
}

TEST_F(HostileClients, AnUploadThatWouldSpoilTheCacheIsRefused) {
    Reply r = exchange(port(), getRequest(uploadPath({{"c", "1e308"}})));
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(r.body.rfind("Felaktig förfrågan: nyckeln c", 0), 0u) << r.body;
    EXPECT_EQ(exchange(port(), getRequest(kCachedFitPath)).body, "R2;0;0;0;0;0");
    Reply stats = exchange(port(), getRequest("/produktion/vildosql.php?a=3&b=0&c=1&d=vildodata&e=6&f=2&g=2"));
    EXPECT_EQ(stats.status, 200);
    EXPECT_EQ(stats.body.find("R2"), std::string::npos);
    EXPECT_EQ(exchange(port(), getRequest(uploadPath())).body, "Registrerat");
    EXPECT_EQ(exchange(port(), getRequest(kCachedFitPath)).body, "R2;0,8123;8,5;230;-0,5;1,2");
}

// A page in the user's browser may reach a loopback address; what it sends is refused, reads and writes
// alike. The program's own client sends neither header.
TEST_F(HostileClients, RequestsFromWebPagesAreRefused) {
    const std::pair<const char*, int> cases[] = {
        {"", 200},
        {"Sec-Fetch-Site: none\r\n", 200},
        {"Sec-Fetch-Site: same-origin\r\n", 200},
        {"Origin: http://example.com\r\n", 403},
        {"Origin: null\r\n", 403},
        {"Origin: http://127.0.0.1\r\n", 403},
        {"Sec-Fetch-Site: cross-site\r\n", 403},
        {"Sec-Fetch-Site: same-site\r\n", 403},
        {"Sec-Fetch-Site: none\r\nOrigin: http://example.com\r\n", 403},
    };
    for (const auto& [headers, status] : cases) {
        Reply r = exchange(port(), getRequest(kNamesPath, headers));
        EXPECT_EQ(r.status, status) << headers;
        if (status == 403) {
            EXPECT_EQ(r.body, "Förfrågningar från webbsidor tas inte emot") << headers;
        }
    }
    EXPECT_EQ(exchange(port(), getRequest(uploadPath(), "Origin: http://example.com\r\n")).status, 403);
    EXPECT_EQ(exchange(port(), getRequest(uploadPath(), "Sec-Fetch-Site: cross-site\r\n")).status, 403);
    EXPECT_EQ(exchange(port(), getRequest(kCachedFitPath)).body, "R2;0;0;0;0;0");
}

// 600 connections that send nothing hold no worker: an ordinary request is answered at once, and the silent
// ones are closed after their first-byte time.
TEST_F(HostileClients, SilentConnectionsDoNotHoldUpARequest) {
    std::vector<std::unique_ptr<Connection>> silent;
    for (int i = 0; i < 600; ++i) {
        silent.push_back(std::make_unique<Connection>(port()));
        ASSERT_TRUE(silent.back()->connected()) << i;
    }
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(exchange(port(), getRequest(kNamesPath)).status, 200);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    for (size_t i = 0; i < silent.size(); i += 60)
        EXPECT_TRUE(silent[i]->closedWithin(std::chrono::seconds(4))) << "silent connection " << i;
}

// Requests begun and never finished fill the workers and the queue in front of them: the next one is
// answered 503 at once instead of waiting, and once they go, requests are served again.
TEST_F(HostileClients, AFullQueueIsAnswered503AtOnce) {
    std::vector<std::unique_ptr<Connection>> stalled;
    const size_t holding = ServerLimits::kWorkers + ServerLimits::kQueued;
    for (size_t i = 0; i < holding; ++i) {
        stalled.push_back(std::make_unique<Connection>(port()));
        ASSERT_TRUE(stalled.back()->send("G")) << i;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));  // all of them taken in, none dropped yet
    const Clock::time_point start = Clock::now();
    Reply busy = exchange(port(), getRequest(kNamesPath));
    EXPECT_EQ(busy.status, 503);
    EXPECT_EQ(busy.body, "Datatjänsten är upptagen, försök igen om en stund");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    stalled.clear();
    Reply served;
    for (int attempt = 0; attempt < 40 && served.status != 200; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        served = exchange(port(), getRequest(kNamesPath));
    }
    EXPECT_EQ(served.status, 200);
}

// Header lines are capped in number and in bytes, and answered 431 past either cap; a flood of tiny
// headers does not grow the service.
TEST_F(HostileClients, TooManyOrTooLargeHeadersAre431) {
    auto lines = [](size_t n, size_t length) {
        std::string h;
        for (size_t i = 0; i < n; ++i) h += "X-" + std::to_string(i) + ": " + std::string(length, 'v') + "\r\n";
        return h;
    };
    // getRequest adds Host and Connection.
    const std::pair<const char*, std::string> cases[] = {
        {"98 more lines", lines(98, 5)},
        {"99 more lines", lines(99, 5)},
        {"one line of 17 kB", lines(1, 17 << 10)},
        {"20 lines of 1 kB", lines(20, 1024)},
    };
    const int expected[] = {200, 431, 431, 431};
    for (size_t i = 0; i < std::size(cases); ++i) {
        Reply r = exchange(port(), getRequest(kNamesPath, cases[i].second));
        EXPECT_EQ(r.status, expected[i]) << cases[i].first;
        if (expected[i] == 431) {
            EXPECT_EQ(r.body, "För många eller för stora rubriker i förfrågan") << cases[i].first;
        }
    }
    const long before = peakResidentKb();
    const std::string flood = "GET " + std::string(kNamesPath) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + lines(120000, 0);
    for (int i = 0; i < 20; ++i) {
        Connection c(port());
        c.send(flood);
        c.receiveAll();
    }
    EXPECT_LT(peakResidentKb() - before, 64 * 1024) << "kB more at the peak after 20 floods of 1 MB of headers";
    EXPECT_EQ(exchange(port(), getRequest(kNamesPath)).status, 200);
}

// What a page in the browser can still send: an empty Origin, a second Sec-Fetch-Site, a host name of its
// own that it made point here. Refused, uploads included.
TEST_F(HostileClients, EmptyOriginsRepeatedFetchSitesAndForeignHostsAreRefused) {
    const std::string own = "127.0.0.1:" + std::to_string(port());
    auto request = [&](const std::string& target, const std::string& headers) {
        return "GET " + target + " HTTP/1.1\r\n" + headers + "Connection: close\r\n\r\n";
    };
    const std::pair<std::string, int> cases[] = {
        {"Host: " + own + "\r\n", 200},
        {"Host: localhost:" + std::to_string(port()) + "\r\n", 200},
        {"Host: 127.0.0.1\r\n", 200},
        {"Host: " + own + "\r\nOrigin:\r\n", 403},
        {"Host: " + own + "\r\nOrigin: \r\n", 403},
        {"Host: " + own + "\r\nSec-Fetch-Site: none\r\nSec-Fetch-Site: cross-site\r\n", 403},
        {"Host: " + own + "\r\nSec-Fetch-Site: same-origin\r\nsec-fetch-site: same-site\r\n", 403},
        {"Host: evil.example:" + std::to_string(port()) + "\r\n", 403},
        {"Host: evil.example\r\n", 403},
        {"Host: 127.0.0.1:1\r\n", 403},
        {"Host: " + own + "\r\nHost: evil.example\r\n", 403},
        {"", 403},
    };
    for (const auto& [headers, status] : cases) {
        EXPECT_EQ(exchange(port(), request(kNamesPath, headers)).status, status) << headers;
        if (status == 403) {
            EXPECT_EQ(exchange(port(), request(uploadPath(), headers)).status, 403) << headers;
        }
    }
    EXPECT_EQ(exchange(port(), getRequest(kCachedFitPath)).body, "R2;0;0;0;0;0");
}

// A GET's body is never read: it would run as the next request. A GET with a body, or a request framed
// by both a length and a transfer encoding, is refused and its connection closed.
TEST_F(HostileClients, AGetWithABodyIsRefusedAndWhatItHidNeverRuns) {
    const std::string hidden = getRequest(uploadPath());
    const std::string head = "GET " + std::string(kNamesPath) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    char chunk[16];
    std::snprintf(chunk, sizeof chunk, "%zx\r\n", hidden.size());
    const std::pair<const char*, std::string> cases[] = {
        {"a length", head + "Content-Length: " + std::to_string(hidden.size()) + "\r\n\r\n" + hidden},
        {"chunked", head + "Transfer-Encoding: chunked\r\n\r\n" + chunk + hidden + "\r\n0\r\n\r\n"},
        {"both", head + "Content-Length: 0\r\nTransfer-Encoding: chunked\r\n\r\n" + chunk + hidden + "\r\n0\r\n\r\n"},
    };
    for (const auto& [what, request] : cases) {
        Connection c(port());
        ASSERT_TRUE(c.send(request)) << what;
        const std::string raw = c.receiveAll();
        EXPECT_EQ(raw.rfind("HTTP/1.1 400", 0), 0u) << what << ": " << raw.substr(0, 40);
        EXPECT_EQ(raw.find("HTTP/1.1", 1), std::string::npos) << what << ": a second answer";
    }
    EXPECT_EQ(exchange(port(), getRequest(kCachedFitPath)).body, "R2;0;0;0;0;0");
    EXPECT_EQ(exchange(port(), head + "Content-Length: 0\r\nConnection: close\r\n\r\n").status, 200);
}

class HostileUploads : public ::testing::Test {
protected:
    void SetUp() override {
        seed.add("03_01.csv", areaCsv(3, 1, "Norra Uppland"));
        db = openServiceDatabase(seed.db, seed.seed);
    }
    Answer upload(const std::map<std::string, std::string>& replaced) {
        Params p;
        std::string path = uploadPath(replaced);
        std::string query = path.substr(path.find('?') + 1);
        for (size_t at = 0; at <= query.size();) {
            size_t amp = std::min(query.find('&', at), query.size());
            std::string kv = query.substr(at, amp - at);
            p.emplace(kv.substr(0, kv.find('=')), kv.substr(kv.find('=') + 1));
            at = amp + 1;
        }
        return answer(*db, "vr2sql.php", p);
    }
    std::string cached() {
        return answer(
                   *db, "vildosql_R2.php",
                   Params{
                       {"a", "3"}, {"b", "1"}, {"c", "2012"}, {"d", "vildodata"}, {"e", "6"}, {"f", "2"}, {"g", "2"}})
            .body;
    }
    test::SeedFolder seed;
    std::unique_ptr<ServiceDatabase> db;
};

// Every value must be one the program can take back: the fit at most 1, forage and start density within
// their controls, the forage change within the calibration's bounds, the mortality keys within theirs.
TEST_F(HostileUploads, AValueOutsideWhatTheProgramCanHoldIsRefusedAndTheCacheStays) {
    ASSERT_EQ(upload({{"c", "0,5000"}}).body, "Registrerat");
    const std::string kept = cached();
    const std::pair<const char*, const char*> refused[] = {
        {"c", "1e308"}, {"c", "-0,5"},   {"c", "1,0001"}, {"c", "nan"},    {"c", "inf"},    {"c", "1e-400"},
        {"d", "0"},     {"d", "1001"},   {"d", "-230"},   {"d", "1e3"},    {"e", "1e308"},  {"e", "30,001"},
        {"e", "0"},     {"e", "0,05"},   {"e", "-8,5"},   {"e", "NaN"},    {"h", "15,001"}, {"h", "-1e6"},
        {"h", "-inf"},  {"i", "201"},    {"i", "-1"},     {"j", "11"},     {"j", "-1"},     {"k", "7"},
        {"k", "-1"},    {"l", "-0,001"}, {"l", "1e308"},  {"l", "1000,5"}, {"m", "0"},      {"m", "1001"},
        {"m", "-5"},
    };
    for (const auto& [key, value] : refused) {
        Answer a = upload({{key, value}, {"c", std::string(key) == "c" ? value : "0,9000"}});
        EXPECT_EQ(a.status, 400) << key << "=" << value;
        EXPECT_EQ(a.body.rfind(std::string("Felaktig förfrågan: nyckeln ") + key, 0), 0u) << a.body;
    }
    EXPECT_EQ(cached(), kept);

    // The ends of every range are taken.
    const std::map<std::string, std::string> edges[] = {
        {{"c", "1,0000"}},  {{"d", "1"}},      {{"d", "1000"}}, {{"e", "0,100"}}, {{"e", "30,000"}},
        {{"h", "-15,000"}}, {{"h", "15,000"}}, {{"i", "0"}},    {{"i", "200"}},   {{"j", "10"}},
        {{"k", "6"}},       {{"l", "0"}},      {{"l", "1000"}}, {{"m", "1"}},     {{"m", "1000"}},
    };
    for (const auto& edge : edges) {
        // A better fit may already be kept for the edge's setting: forget it first.
        std::map<std::string, std::string> forget = edge;
        forget["c"] = "0,000";
        ASSERT_EQ(upload(forget).body, "Registrerat");
        EXPECT_EQ(upload(edge).body, "Registrerat") << edge.begin()->first << "=" << edge.begin()->second;
    }

    // A fit of 0 keeps nothing else, so only the key and the mortality setting have to hold.
    EXPECT_EQ(upload({{"c", "0,000"}, {"d", "0"}, {"e", "0"}, {"h", "40"}, {"m", "0"}}).body, "Registrerat");
    EXPECT_EQ(cached(), "R2;0;0;0;0;0");
    EXPECT_EQ(upload({{"c", "0,000"}, {"j", "11"}}).status, 400);
}

// A result kept before uploads were checked is passed over, so it cannot spoil later loads of its area.
TEST_F(HostileUploads, AKeptResultTheProgramCannotUseIsNotServed) {
    // The columns take no NaN (it would be stored as NULL), but infinities and any finite value.
    const double inf = std::numeric_limits<double>::infinity();
    const FitRecord good{3, 1, 2012, 6, 2, 2, 0.6, 230, 8.5, -0.5, 1.2, 10};
    std::vector<FitRecord> spoilt;
    for (double r2 : {1e308, inf, -0.5}) spoilt.push_back(good), spoilt.back().r2 = r2;
    for (double dens : {inf, -inf, 0.01, 1e6}) spoilt.push_back(good), spoilt.back().startDens = dens;
    for (int forage : {0, 1001, -1}) spoilt.push_back(good), spoilt.back().forage = forage;
    for (double slope : {-1e6, 15.5, -inf}) spoilt.push_back(good), spoilt.back().ccSlope = slope;
    for (double margin : {inf, -1.0, 1e308}) spoilt.push_back(good), spoilt.back().margin = margin;
    for (FitRecord& f : spoilt) {
        if (f.r2 == good.r2) f.r2 = 0.99;  // each better than the good one, but for its fault
        db->recordFit(f);
    }
    EXPECT_EQ(cached(), "R2;0;0;0;0;0");
    db->recordFit(good);
    EXPECT_EQ(cached(), "R2;0,6;8,5;230;-0,5;1,2");
}

}  // namespace
}  // namespace vildo::service
