#include "ui/main/background_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <exception>
#include <memory>
#include <thread>

namespace velorine::ui {

void runWithProgress(QWidget& window, const QString& title, const QString& text, const std::function<void()>& work,
                     std::chrono::milliseconds delay) {
    QEventLoop loop;
    std::exception_ptr thrown;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            thrown = std::current_exception();
        }
        // Queued: the loop quits from within its own run, even if it has not started yet.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    std::unique_ptr<QProgressDialog> progress;
    QTimer::singleShot(delay, &loop, [&] {
        progress = std::make_unique<QProgressDialog>(text, QString(), 0, 0, &window);
        progress->setObjectName(QStringLiteral("Progression"));
        progress->setWindowTitle(title);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->show();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    progress.reset();
    if (thrown) std::rethrow_exception(thrown);
}

}  // namespace velorine::ui
