#include "notify/kept_notification.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <tuple>

#include "store/private_files.h"

namespace velorine::notify {
namespace {

// "<number> <server>": what the file holds.
QString keptText(unsigned id, const QString& server) { return QString::number(id) + QLatin1Char(' ') + server; }

QString readKeptText(const QString& file) {
    QFile kept(file);
    if (!kept.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(kept.read(256)).trimmed();
}

}  // namespace

unsigned KeptNotification::toReplaceOn(const QString& server) const {
    const QStringList parts = readKeptText(file_).split(QLatin1Char(' '));
    if (parts.size() != 2 || parts[1] != server) return 0;
    bool number = false;
    const unsigned id = parts[0].toUInt(&number);
    return number ? id : 0;
}

void KeptNotification::keep(unsigned id, const QString& server) const {
    // Without its folder the save below fails too, and the next start shows a bubble of its own.
    std::ignore = store::createPrivateDirectories(QFile::encodeName(QFileInfo(file_).path()).toStdString());
    QSaveFile kept(file_);
    if (!kept.open(QIODevice::WriteOnly)) return;
    kept.write(keptText(id, server).toUtf8() + '\n');
    kept.commit();
}

void KeptNotification::forget(unsigned id, const QString& server) const {
    if (readKeptText(file_) == keptText(id, server)) QFile::remove(file_);
}

}  // namespace velorine::notify
