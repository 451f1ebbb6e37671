#include "qt/worker_thread.h"

#include <stdexcept>

namespace vildo::qt {

void WorkerThread::start(std::function<void()> work) {
    if (thread_.joinable()) return;
    done_ = 0;
    cancel_ = false;
    finished_ = false;
    error_ = nullptr;
    thread_ = std::thread([this, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            error_ = std::current_exception();
        }
        finished_.store(true);
    });
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

void WorkerThread::stop() {
    cancel_.store(true);
    join();
}

bool WorkerThread::report(int done) {
    // Workers report in any order: keep the furthest.
    int seen = done_.load();
    while (done > seen && !done_.compare_exchange_weak(seen, done)) {
    }
    return !cancel_.load();
}

std::string WorkerThread::error() const {
    if (!error_) return "";
    try {
        std::rethrow_exception(error_);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "Okänt fel";
}

}  // namespace vildo::qt
