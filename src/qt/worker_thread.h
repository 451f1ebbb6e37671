// Long work of a dialog on a thread of its own, watched from the GUI thread: the furthest progress reported,
// a cancel flag the work polls, and the error it ended with.
#pragma once
#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <thread>

namespace vildo::qt {

class WorkerThread {
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread() { stop(); }

    // Runs the work; an exception it throws is kept for error(). Does nothing while work runs.
    void start(std::function<void()> work);
    // The work has returned or thrown; join() then does not wait.
    bool finished() const { return finished_.load(); }
    bool running() const { return thread_.joinable(); }
    void join();
    // Asks the work to stop at its next report, then waits for it.
    void stop();

    // Called by the work, from any thread: keeps the furthest count and says whether to go on.
    bool report(int done);
    int done() const { return done_.load(); }
    void cancel() { cancel_.store(true); }
    bool cancelled() const { return cancel_.load(); }
    // Whether the work threw, and what, in words.
    bool failed() const { return error_ != nullptr; }
    std::string error() const;

private:
    std::thread thread_;
    std::atomic<int> done_{0};
    std::atomic<bool> cancel_{false}, finished_{false};
    std::exception_ptr error_;
};

}  // namespace vildo::qt
