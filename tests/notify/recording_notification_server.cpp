#include "recording_notification_server.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

namespace velorine::notify::testing {

RecordingNotificationServer::RecordingNotificationServer(QDBusConnection connection, QStringList capabilities)
    : connection_(std::move(connection)), capabilities_(std::move(capabilities)) {
    serving_ =
        connection_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                   QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals) &&
        connection_.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

uint RecordingNotificationServer::Notify(const QString& appName, uint replacesId, const QString& appIcon,
                                         const QString& summary, const QString& body, const QStringList& actions,
                                         const QVariantMap& hints, int expireTimeout) {
    const auto received = std::chrono::steady_clock::now();
    const uint id = replacesId != 0 ? replacesId : ++lastId_;
    calls.push_back({appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout, id, received});
    // The answer goes out first, as a server's does before the user can act.
    if (afterNotify) QTimer::singleShot(0, this, [this, call = calls.back()] { afterNotify(*this, call); });
    return id;
}

void RecordingNotificationServer::CloseNotification(uint id) {
    closedByCall.push_back(id);
    close(id, ClosedByCall);
}

QString RecordingNotificationServer::GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
    vendor = QStringLiteral("Velorine tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("recording-server");
}

bool RecordingNotificationServer::waitForCalls(std::size_t count, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (calls.size() < count && !deadline.hasExpired()) QTest::qWait(5);
    return calls.size() >= count;
}

void RecordingNotificationServer::leave() {
    // The connection closes with its last reference, as a server's does when its process ends.
    const QString name = connection_.name();
    connection_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
    serving_ = false;
}

}  // namespace velorine::notify::testing
