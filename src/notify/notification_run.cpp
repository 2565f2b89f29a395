#include "notify/notification_run.h"

#include <QEventLoop>

#include <functional>

#include "app/write_failure_text.h"
#include "notify/reminder_bubble.h"
#include "store/cp1252.h"

namespace velorine::notify {
namespace {

std::vector<std::string> dueLines(const std::vector<reminders::ReminderEntry>& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const reminders::ReminderEntry& entry : entries) lines.push_back(store::cp1252ToUtf8(entry.text));
    return lines;
}

// Runs the event loop until the server has answered `request`: the process may end then.
void untilAnswered(const std::function<void(std::function<void()> done)>& request) {
    QEventLoop loop;
    request([&loop] { loop.quit(); });
    loop.exec();
}

// The user learns that the answer was lost, where and why, where the answer was given.
void tellTheFailure(ReminderBubble& bubble, const NotificationRun& run, store::Failure failure) {
    const QString why =
        QString::fromStdString(run.dataFilePath + "\n" + app::writeFailureText(failure, run.dataFilePath));
    untilAnswered([&](std::function<void()> done) {
        bubble.showMessageInstead(QStringLiteral("Votre réponse n'a pas pu être enregistrée"), why, std::move(done));
    });
}

void withdraw(ReminderBubble& bubble) {
    untilAnswered([&](std::function<void()> done) { bubble.withdraw(std::move(done)); });
}

}  // namespace

AfterNotification remindByNotification(QDBusConnection bus, const NotificationRun& run) {
    ReminderBubble bubble(std::move(bus), dueLines(run.entries), KeptNotification(run.keptFile));
    QEventLoop loop;
    BubbleEnd end = BubbleEnd::Unavailable;
    QObject::connect(&bubble, &ReminderBubble::finished, &loop, [&](BubbleEnd how) {
        end = how;
        loop.quit();
    });
    bubble.show();
    loop.exec();

    switch (end) {
        case BubbleEnd::Unavailable: return AfterNotification::ShowWindow;
        case BubbleEnd::Opened: withdraw(bubble); return AfterNotification::ShowWindow;
        case BubbleEnd::Answered: {
            if (const store::Result<> stored =
                    reminders::storeAnswer(bubble.answer(), run.dataFilePath, run.today(), run.entries))
                withdraw(bubble);
            else
                tellTheFailure(bubble, run, stored.failure());
            return AfterNotification::EndRun;
        }
        case BubbleEnd::Dismissed:
        case BubbleEnd::ServerGone:
        case BubbleEnd::Replaced: break;
    }
    return AfterNotification::EndRun;
}

}  // namespace velorine::notify
