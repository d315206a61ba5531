#pragma once
// The one worker thread of a window. A job owns what it works on; its ending
// and its progress reach the window's thread through the dispatcher, and only
// there does anything the window shows change.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace pw::ui {

// Runs a function later on the window's thread.
class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    virtual void post(std::function<void()> task) = 0;
};

// Runs tasks at once, on the calling thread: for tests and scripts.
class ImmediateDispatcher : public Dispatcher {
public:
    void post(std::function<void()> task) override { task(); }
};

class JobRunner {
public:
    // Without threads, jobs run to the end inside start(): tests use that.
    JobRunner(Dispatcher& dispatcher, bool threaded) : dispatcher_(dispatcher), threaded_(threaded) {}
    ~JobRunner() { wait(); }

    bool busy() const { return running_.load(); }

    // Runs `work` on the worker, then `done` on the window's thread: with true
    // when the work finished, with false when it threw.
    void start(std::function<void()> work, std::function<void(bool ok)> done) {
        wait();
        running_ = true;
        auto finish = [this, done = std::move(done)](bool ok) {
            running_ = false;
            if (done) done(ok);
        };
        if (!threaded_) {
            finish(runGuarded(work));
            return;
        }
        worker_ = std::thread([this, work = std::move(work), finish = std::move(finish)]() mutable {
            const bool ok = runGuarded(work);
            dispatcher_.post([finish = std::move(finish), ok] { finish(ok); });
        });
    }

    // Blocks until the last job's work is done (its `done` may still be queued).
    void wait() {
        if (worker_.joinable()) worker_.join();
    }

private:
    static bool runGuarded(const std::function<void()>& work) {
        try {
            work();
            return true;
        } catch (...) {
            return false;
        }
    }

    Dispatcher& dispatcher_;
    bool threaded_;
    std::atomic<bool> running_{false};
    std::thread worker_;
};

}  // namespace pw::ui
