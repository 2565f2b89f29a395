#pragma once
// The real dialogs: Qt's message boxes, file chooser (french_file_chooser.h) and colour chooser (in
// French once the translations are installed), the desktop's browser and default programs (asked
// through xdg-mime), and a detached new instance of this very executable.

#include "ui/user_dialogs.h"

namespace velorine::ui {

class PlatformDialogs final : public UserDialogs {
public:
    void showMessage(MessageIcon icon, const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    QString chooseFileToOpen(const FileRequest& request) override;
    QString chooseFileToSave(const FileRequest& request) override;
    QColor chooseColour(const QColor& preset) override;
    bool openUrl(const QUrl& address) override;
    bool hasProgramFor(const QString& mimeType) override;
    bool startProgram(const QStringList& arguments) override;
};

}  // namespace velorine::ui
