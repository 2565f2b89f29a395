#include "private_session_bus.h"

#include <QFile>

namespace velorine::notify::testing {
namespace {

// A session bus as dbus-daemon --session sets one up, without the service directories.
QByteArray configuration(const QString& socketDirectory) {
    return QByteArrayLiteral(
               "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig>\n"
               "  <type>session</type>\n"
               "  <listen>unix:dir=") +
           QFile::encodeName(socketDirectory) +
           QByteArrayLiteral(
               "</listen>\n"
               "  <auth>EXTERNAL</auth>\n"
               "  <policy context=\"default\">\n"
               "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
               "    <allow eavesdrop=\"true\"/>\n"
               "    <allow own=\"*\"/>\n"
               "  </policy>\n"
               "</busconfig>\n");
}

}  // namespace

PrivateSessionBus::PrivateSessionBus() {
    const QString config = directory_.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(configuration(directory_.path())) < 0) return;
    file.close();
    daemon_.start(QStringLiteral(VELORINE_DBUS_DAEMON),
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                   QStringLiteral("--print-address=1")});
    while (daemon_.waitForReadyRead(10000)) {
        if (!daemon_.canReadLine()) continue;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        break;
    }
}

PrivateSessionBus::~PrivateSessionBus() {
    for (const QString& name : connections_) QDBusConnection::disconnectFromBus(name);
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) daemon_.kill();
    daemon_.waitForFinished();
}

QDBusConnection PrivateSessionBus::connect(const QString& name) const {
    // Qt knows connections by name, process-wide: one bus's must not be another's.
    connections_ << name + QLatin1Char('@') + address_;
    return QDBusConnection::connectToBus(address_, connections_.back());
}

}  // namespace velorine::notify::testing
