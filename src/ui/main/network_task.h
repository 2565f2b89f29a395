#pragma once
// Work that waits on the network, run on a thread of its own so that the window stays usable, its
// result handed back on the window's thread. One task at a time; a new one first stops the one
// running. Stopping (and the owner's end) raises the cancel flag the work polls, then waits for
// the thread: every request is bounded, and a cancelled one ends within a twentieth of a second.

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace velorine::ui {

class NetworkTask {
public:
    explicit NetworkTask(QObject* owner) : owner_(owner) {}
    ~NetworkTask();
    NetworkTask(const NetworkTask&) = delete;
    NetworkTask& operator=(const NetworkTask&) = delete;

    // Runs `work(cancelled)` on its thread, then `done(result)` on the owner's thread (not when
    // stopped first).
    template <typename Result>
    void start(std::function<Result(const std::atomic<bool>& cancelled)> work, std::function<void(Result)> done) {
        auto result = std::make_shared<Result>();
        launch([work = std::move(work), result](const std::atomic<bool>& cancelled) { *result = work(cancelled); },
               [done = std::move(done), result] { done(std::move(*result)); });
    }

    bool isRunning() const;
    void stop();

private:
    void launch(std::function<void(const std::atomic<bool>&)> work, std::function<void()> done);
    QObject* owner_;
    QThread* thread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_;
};

}  // namespace velorine::ui
