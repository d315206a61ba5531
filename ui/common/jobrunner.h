#pragma once
// The one worker thread of the main window. A job runs on it; its ending and
// its progress reach the window's thread through the dispatcher.

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

    // Runs `work` on the worker, then `done` on the window's thread.
    void start(std::function<void()> work, std::function<void()> done) {
        wait();
        running_ = true;
        auto finish = [this, done = std::move(done)] {
            running_ = false;
            if (done) done();
        };
        if (!threaded_) {
            work();
            finish();
            return;
        }
        worker_ = std::thread([this, work = std::move(work), finish = std::move(finish)]() mutable {
            work();
            dispatcher_.post(std::move(finish));
        });
    }

    // Blocks until the last job's work is done (its `done` may still be queued).
    void wait() {
        if (worker_.joinable()) worker_.join();
    }

private:
    Dispatcher& dispatcher_;
    bool threaded_;
    std::atomic<bool> running_{false};
    std::thread worker_;
};

}  // namespace pw::ui
