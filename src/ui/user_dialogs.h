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

#include <functional>
#include <string>

#include "app/previous_version_recovery.h"
#include "store/failure.h"

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

// The one way a window tells the user that a file could not be written: a "Problème" box that says
// what was lost, names the file and gives the cause, in words the user can act on. Nothing the
// user asked for is dropped in silence, but for the few settings whose loss only changes the look
// of the next start (colours, the layout, the name-day option), which their writers say they do
// not tell.

// The words of app/write_failure_text.h, for a window.
QString failureCause(store::Failure failure, const std::string& filePath = {});
QString writeFailureText(store::Failure failure, const std::string& filePath = {});

// The error box every window titles "Problème".
void tellProblem(UserDialogs& dialogs, const QString& text);

// A file name the user chose or typed, as the bytes the file system and the store take.
std::string localPath(const QString& chosen);

// `whatFailed` is the first line, without the colon: "L'anniversaire n'a pas pu être enregistré
// dans le fichier".
void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& filePath,
                        store::Failure failure);

// A message of a few lines ("La copie a échoué !\n\nCorrigez le problème et recommencez...") with
// the file and the cause on a second line after its first: "La copie a échoué !\n/home/a/copie.txt :
// le disque est plein, ou votre quota d'espace est atteint.\n\nCorrigez…".
QString withCause(const QString& message, store::Failure failure, const std::string& filePath);

// The previous-version recovery's question, its failure message and its restart, in the program's
// own dialogs: the only windows a start can show before it knows whether it has anything to show.
//
// Designer names: none; both are message boxes of UserDialogs: the question "ATTENTION" (yes or
// no: take the previous version's list in) and the failure message "Problème", which gives the
// cause on its second line.

// `beforeEach` runs before each of them: the program creates its application there, so that a start
// that asks nothing never opens the display. `dialogs` must outlive the result.
app::RecoveryDialogs recoveryDialogs(UserDialogs& dialogs, const std::function<void()>& beforeEach);

}  // namespace velorine::ui
