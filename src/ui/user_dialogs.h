#pragma once
// Everything the windows ask of the user or of the desktop outside their own controls: message
// boxes, yes/no questions, file and colour choosers, the desktop's programs for web addresses and
// files, and starting the program again. The windows go through this one interface, so the tests answer and record
// every call; the program itself uses PlatformDialogs (platform_dialogs.h).
//
// Message boxes have no owner window: they centre on the screen, as the program's always have.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace velorine::ui {

enum class MessageIcon { None, Information, Warning, Error, Question };

// A file chooser: its title, its filters ("Fichiers texte (*.txt)") and the name it starts with.
struct FileRequest {
    QString title;
    QStringList filters;
    QString initialName;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message with an OK button only.
    virtual void showMessage(MessageIcon icon, const QString& title, const QString& text) = 0;
    // A question with Yes and No; true only when the user answers Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // The path of an existing file, or empty when the user cancels.
    virtual QString chooseFileToOpen(const FileRequest& request) = 0;
    // The path to write (the chooser has asked before replacing a file), or empty on cancel.
    virtual QString chooseFileToSave(const FileRequest& request) = 0;
    // The colour chosen; `preset` when the user cancels.
    virtual QColor chooseColour(const QColor& preset) = 0;
    // Opens the address with the desktop's program for it: the default browser for a web address,
    // the program for its type for a local file. False when none could be started.
    virtual bool openUrl(const QUrl& address) = 0;
    // True when the desktop has a default program for files of this MIME type ("message/rfc822").
    virtual bool hasProgramFor(const QString& mimeType) = 0;
    // Starts a new instance of the program with these arguments; false when it could not start.
    virtual bool startProgram(const QStringList& arguments) = 0;
};

}  // namespace velorine::ui
