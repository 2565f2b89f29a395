#pragma once
// The far side of the bubble: a notification server written for the tests, on a bus connection of
// its own, that records every Notify and acts as the user would (an action invoked, the bubble
// closed) or as the desktop does (the notification expired, the server gone).

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <chrono>
#include <functional>
#include <vector>

namespace velorine::notify::testing {

struct NotifyCall {
    QString appName;
    uint replacesId = 0;
    QString appIcon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int expireTimeout = 0;
    uint id = 0;  // the number the server answered
    std::chrono::steady_clock::time_point received;
};

// The reasons of NotificationClosed.
enum CloseReason : uint { Expired = 1, DismissedByUser = 2, ClosedByCall = 3 };

class RecordingNotificationServer final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    // Owns org.freedesktop.Notifications on `connection` and announces `capabilities`.
    RecordingNotificationServer(QDBusConnection connection, QStringList capabilities);

    bool isServing() const { return serving_; }
    std::vector<NotifyCall> calls;
    std::vector<uint> closedByCall;  // the numbers CloseNotification was called with
    // Run after each Notify has been answered: what the user or the desktop does next.
    std::function<void(RecordingNotificationServer&, const NotifyCall&)> afterNotify;

    // Waits (running the event loop) until `count` notifications came.
    bool waitForCalls(std::size_t count, int milliseconds = 10000);
    void invokeAction(uint id, const QString& key) { emit ActionInvoked(id, key); }
    void close(uint id, CloseReason reason) { emit NotificationClosed(id, reason); }
    // The server ends: its name goes with its connection.
    void leave();

public slots:
    Q_SCRIPTABLE QStringList GetCapabilities() { return capabilities_; }
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
                             const QString& body, const QStringList& actions, const QVariantMap& hints,
                             int expireTimeout);
    Q_SCRIPTABLE void CloseNotification(uint id);
    Q_SCRIPTABLE QString GetServerInformation(QString& vendor, QString& version, QString& specVersion);

signals:
    Q_SCRIPTABLE void ActionInvoked(uint id, const QString& key);
    Q_SCRIPTABLE void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection connection_;
    QStringList capabilities_;
    uint lastId_ = 0;
    bool serving_ = false;
};

}  // namespace velorine::notify::testing
