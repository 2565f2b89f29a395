#include "ui/main/network_task.h"

#include <QThread>

namespace velorine::ui {

NetworkTask::~NetworkTask() { stop(); }

bool NetworkTask::isRunning() const { return thread_ != nullptr; }

void NetworkTask::stop() {
    if (!thread_) return;
    cancelled_->store(true);
    thread_->wait();
    delete thread_;  // its finished signal, still queued, dies with it: `done` is not called
    thread_ = nullptr;
}

void NetworkTask::launch(std::function<void(const std::atomic<bool>&)> work, std::function<void()> done) {
    stop();
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    thread_ = QThread::create([work = std::move(work), cancelled = cancelled_] { work(*cancelled); });
    QThread* thread = thread_;
    QObject::connect(thread, &QThread::finished, owner_, [this, thread, done = std::move(done)] {
        if (thread_ != thread) return;
        thread_ = nullptr;
        thread->deleteLater();
        done();
    });
    thread_->start();
}

}  // namespace velorine::ui
