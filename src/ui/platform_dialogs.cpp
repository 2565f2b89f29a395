#include "ui/platform_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QProcess>

#include "app/executables.h"
#include "app/process_environment.h"
#include "ui/french.h"

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
    return runFileChooser(*makeFileChooser(QFileDialog::AcceptOpen, request));
}

QString PlatformDialogs::chooseFileToSave(const FileRequest& request) {
    return runFileChooser(*makeFileChooser(QFileDialog::AcceptSave, request));
}

QColor PlatformDialogs::chooseColour(const QColor& preset) {
    // Qt's own chooser, as for files: the desktop's would speak the system's language.
    const QColor chosen = QColorDialog::getColor(preset, nullptr, QString(), QColorDialog::DontUseNativeDialog);
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
    // The new instance is the command users run, so that it goes through the whole start-up; no
    // shell between us and it: the arguments reach it as they are.
    const QString command = QFile::decodeName(app::commandFrom(app::executableDirectory()).c_str());
    return QProcess::startDetached(command, arguments);
}

}  // namespace velorine::ui
