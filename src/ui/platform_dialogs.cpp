#include "ui/platform_dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

namespace velorine::ui {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// "*.*" means every file where the program comes from; here it would hide the names without a dot
// (a list saved as "anniversaires"), so the chooser is given "*", the same meaning on this system.
QString filterText(const QStringList& filters) {
    QStringList adapted = filters;
    for (QString& filter : adapted) filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return adapted.join(QStringLiteral(";;"));
}

}  // namespace

void PlatformDialogs::showMessage(MessageIcon icon, const QString& title, const QString& text) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok);
    box.exec();
}

bool PlatformDialogs::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString PlatformDialogs::chooseFileToOpen(const FileRequest& request) {
    return QFileDialog::getOpenFileName(nullptr, request.title, request.initialName, filterText(request.filters));
}

QString PlatformDialogs::chooseFileToSave(const FileRequest& request) {
    return QFileDialog::getSaveFileName(nullptr, request.title, request.initialName, filterText(request.filters));
}

QColor PlatformDialogs::chooseColour(const QColor& preset) {
    const QColor chosen = QColorDialog::getColor(preset);
    return chosen.isValid() ? chosen : preset;
}

bool PlatformDialogs::openUrl(const QUrl& address) { return QDesktopServices::openUrl(address); }

bool PlatformDialogs::hasProgramFor(const QString& mimeType) {
    // The desktop's own answer, as its file opener will pick; no shell, and a desktop that does not
    // answer quickly counts as having no program.
    constexpr int kPatienceMs = 2000;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kPatienceMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

bool PlatformDialogs::startProgram(const QStringList& arguments) {
    // No shell between us and the new instance: the arguments reach it as they are.
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

}  // namespace velorine::ui
