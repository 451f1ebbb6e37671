// Hands connections to the service's workers only when a request has begun to arrive: a connection that is
// silent, new or between two requests, waits in one poll set and holds no worker, and the workers' queue is
// bounded, so that neither idle clients nor a flood of them can hold up an ordinary request.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vildo::service {

class ConnectionDispatcher {
public:
    struct Limits {
        int workers;
        size_t queued;   // connections with a request begun, waiting for a worker
        size_t waiting;  // connections waiting for their next request
        std::chrono::milliseconds firstByte, keepAlive;
    };
    // Serves the connection's requests on a worker, at most `requestsLeft` of them. Returns how many it may
    // still carry when it is to wait for the next one, or 0 when it has closed the socket.
    using Serve = std::function<int(int sock, int requestsLeft)>;
    // Answers "busy" on a connection that finds no room, and closes it.
    using Refuse = std::function<void(int sock)>;

    ConnectionDispatcher(Limits limits, Serve serve, Refuse refuse);
    ~ConnectionDispatcher();
    ConnectionDispatcher(const ConnectionDispatcher&) = delete;
    ConnectionDispatcher& operator=(const ConnectionDispatcher&) = delete;

    // A new connection: it may carry so many requests; its first must begin within firstByte.
    void admit(int sock, int requestsLeft);
    // Closes the waiting connections, lets the workers finish the requests under way, and joins them.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    struct Waiting {
        int sock;
        int requestsLeft;
        Clock::time_point until;
    };
    struct Ready {
        int sock;
        int requestsLeft;
    };

    void wait(int sock, int requestsLeft, std::chrono::milliseconds within);
    void pollLoop();
    void workLoop();
    void wake();

    Limits limits_;
    Serve serve_;
    Refuse refuse_;
    int wakeFd_ = -1;

    std::mutex waitingMutex_;
    std::vector<Waiting> waiting_, arrived_;  // arrived_: added since the poll began

    std::mutex readyMutex_;
    std::condition_variable readyCv_;
    std::deque<Ready> ready_;
    bool stopping_ = false;

    std::thread poller_;
    std::vector<std::thread> workers_;
};

}  // namespace vildo::service
