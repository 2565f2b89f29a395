#pragma once
// The one way a window tells the user that a file could not be written: a "Problème" box that says
// what was lost, names the file and gives the cause, in words the user can act on. Nothing the
// user asked for is dropped in silence, but for the few settings whose loss only changes the look
// of the next start (colours, the layout, the name-day option), which their writers say they do
// not tell.

#include <QString>

#include <string>

#include "store/failure.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

// The words of app/write_failure_text.h, for a window.
QString failureCause(store::Failure failure, const std::string& filePath = {});
QString writeFailureText(store::Failure failure, const std::string& filePath = {});

// `whatFailed` is the first line, without the colon: "L'anniversaire n'a pas pu être enregistré
// dans le fichier".
void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& filePath,
                        store::Failure failure);

// A message of a few lines ("La copie a échoué !\n\nCorrigez le problème et recommencez...") with
// the file and the cause on a second line after its first: "La copie a échoué !\n/home/a/copie.txt :
// le disque est plein, ou votre quota d'espace est atteint.\n\nCorrigez…".
QString withCause(const QString& message, store::Failure failure, const std::string& filePath);

}  // namespace velorine::ui
