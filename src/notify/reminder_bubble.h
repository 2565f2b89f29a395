#pragma once
// The reminder notification on the desktop: org.freedesktop.Notifications on the session bus, as
// every desktop's notification server offers it. It shows the reminder window's title as summary,
// the due lines as body (notification_body.h), and the window's three answers as actions; a click
// on the bubble itself asks for the window. Then it waits for what becomes of it and tells it once,
// by finished():
//
//   Unavailable   no server, a server without actions, or one that refused the notification;
//                 nothing is shown, the window should be
//   Opened        the bubble itself was clicked
//   Answered      one of the three answers: answer() says which
//   Dismissed     closed or expired without an answer
//   ServerGone    the server left the bus: the notification went with it
//   Replaced      a later start of the same session took the notification over
//
// One at a time: each start that shows one owns the bus name kBubbleBusName, taking it from the one
// before, which then ends with Replaced; the later one replaces the earlier's notification
// (kept_notification.h) instead of adding its own.
//
// Every call to the server is asynchronous, so that the server may even live in the same thread.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "notify/kept_notification.h"
#include "reminders/stored_answer.h"

class QDBusPendingCallWatcher;

namespace velorine::notify {

inline constexpr char kBubbleBusName[] = "example.velorine.Velorine.Rappels";

enum class BubbleEnd { Unavailable, Opened, Answered, Dismissed, ServerGone, Replaced };

class ReminderBubble final : public QObject {
    Q_OBJECT
public:
    // `lines` are the due lines, UTF-8; `kept` where the notification is kept for the next start.
    ReminderBubble(QDBusConnection bus, std::vector<std::string> lines, KeptNotification kept);

    // Asks the server what it can do, then shows the notification.
    void show();
    // After finished(Answered): the answer given.
    reminders::ReminderAnswer answer() const { return answer_; }
    // After an answer or a click: takes the notification away, since not every server does so itself
    // once an action is invoked, and its answers would stay there, answering nothing. `done` is
    // called once the server has acted, or refused.
    void withdraw(std::function<void()> done);
    // After an answer: shows a message in the notification's place (no actions), for a failure that
    // happened after the answer. `done` as for withdraw().
    void showMessageInstead(const QString& summary, const QString& body, std::function<void()> done);

signals:
    void finished(velorine::notify::BubbleEnd end);

private slots:
    // The server's signals, for every notification it shows: only this one's count.
    void onActionInvoked(uint id, const QString& key);
    void onNotificationClosed(uint id, uint reason);

private:
    void capabilitiesKnown(const QStringList& capabilities);
    void takeTheBusNameOver();
    void shown(unsigned id);
    void watchServer();
    void end(BubbleEnd end);
    QDBusPendingCallWatcher* callServer(const QString& method, const QVariantList& arguments);
    void callServer(const QString& method, const QVariantList& arguments, std::function<void()> done);

    QDBusConnection bus_;
    std::vector<std::string> lines_;
    KeptNotification kept_;
    QString server_;  // the unique bus name of the server that shows it
    bool markup_ = false;
    unsigned id_ = 0;
    bool ended_ = false;
    reminders::ReminderAnswer answer_ = reminders::ReminderAnswer::KeepReminding;
};

}  // namespace velorine::notify
