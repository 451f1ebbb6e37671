#include "connection_dispatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace vildo::service {

namespace {

// A stopping dispatcher notices within this time even when nothing wakes it.
constexpr std::chrono::milliseconds kPollSlice(100);

}  // namespace

ConnectionDispatcher::ConnectionDispatcher(Limits limits, Serve serve, Refuse refuse)
    : limits_(limits), serve_(std::move(serve)), refuse_(std::move(refuse)) {
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    poller_ = std::thread([this] { pollLoop(); });
    for (int i = 0; i < limits_.workers; ++i) workers_.emplace_back([this] { workLoop(); });
}

ConnectionDispatcher::~ConnectionDispatcher() {
    stop();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

void ConnectionDispatcher::admit(int sock, int requestsLeft) { wait(sock, requestsLeft, limits_.firstByte); }

void ConnectionDispatcher::wait(int sock, int requestsLeft, std::chrono::milliseconds within) {
    {
        std::lock_guard<std::mutex> lock(waitingMutex_);
        if (!stopping_ && waiting_.size() + arrived_.size() < limits_.waiting) {
            arrived_.push_back({sock, requestsLeft, Clock::now() + within});
            wake();
            return;
        }
    }
    refuse_(sock);
}

void ConnectionDispatcher::wake() {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void ConnectionDispatcher::pollLoop() {
    std::vector<pollfd> fds;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(waitingMutex_);
            if (stopping_) {
                for (const Waiting& w : waiting_) ::close(w.sock);
                for (const Waiting& w : arrived_) ::close(w.sock);
                waiting_.clear();
                arrived_.clear();
                return;
            }
            waiting_.insert(waiting_.end(), arrived_.begin(), arrived_.end());
            arrived_.clear();
        }
        // Only this thread changes waiting_ from here on; others append to arrived_.
        Clock::time_point next = Clock::now() + kPollSlice;
        fds.assign(1, pollfd{wakeFd_, POLLIN, 0});
        for (const Waiting& w : waiting_) {
            fds.push_back(pollfd{w.sock, POLLIN, 0});
            next = std::min(next, w.until);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
        const int rc = ::poll(fds.data(), fds.size(), static_cast<int>(std::max<int64_t>(0, left.count()) + 1));
        if (rc < 0 && errno != EINTR) continue;
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        const Clock::time_point now = Clock::now();
        std::vector<Waiting> still;
        std::vector<Ready> begun;
        {
            std::lock_guard<std::mutex> lock(waitingMutex_);
            for (size_t i = 0; i < waiting_.size(); ++i) {
                const Waiting& w = waiting_[i];
                if (rc > 0 && fds[i + 1].revents != 0)
                    begun.push_back({w.sock, w.requestsLeft});
                else if (now >= w.until)
                    ::close(w.sock);  // silent for too long: it holds nothing more
                else
                    still.push_back(w);
            }
            waiting_.swap(still);
        }
        std::vector<int> refused;
        {
            std::lock_guard<std::mutex> lock(readyMutex_);
            for (const Ready& r : begun) {
                if (ready_.size() < limits_.queued)
                    ready_.push_back(r);
                else
                    refused.push_back(r.sock);
            }
        }
        readyCv_.notify_all();
        for (int sock : refused) refuse_(sock);
    }
}

void ConnectionDispatcher::workLoop() {
    for (;;) {
        Ready r;
        {
            std::unique_lock<std::mutex> lock(readyMutex_);
            readyCv_.wait(lock, [this] { return stopping_ || !ready_.empty(); });
            if (ready_.empty()) return;
            r = ready_.front();
            ready_.pop_front();
        }
        const int left = serve_(r.sock, r.requestsLeft);
        if (left > 0) wait(r.sock, left, limits_.keepAlive);
    }
}

void ConnectionDispatcher::stop() {
    {
        std::scoped_lock lock(waitingMutex_, readyMutex_);
        if (stopping_ && !poller_.joinable()) return;
        stopping_ = true;
    }
    wake();
    readyCv_.notify_all();
    if (poller_.joinable()) poller_.join();
    for (std::thread& t : workers_)
        if (t.joinable()) t.join();
    workers_.clear();
}

}  // namespace vildo::service
