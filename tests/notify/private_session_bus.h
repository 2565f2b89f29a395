#pragma once
// A session bus of the test's own: the real dbus-daemon, listening in a temporary directory, stopped
// with the object. It starts no service on demand: a notification server installed on the machine
// must never answer in the place of the test's.

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace velorine::notify::testing {

class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when the daemon could not start.
    const QString& address() const { return address_; }
    // A new connection of this process to the bus, under a name of its own.
    QDBusConnection connect(const QString& name) const;

private:
    QTemporaryDir directory_;
    QProcess daemon_;
    QString address_;
    mutable QStringList connections_;
};

}  // namespace velorine::notify::testing
