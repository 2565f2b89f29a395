#pragma once
// The one way a window tells the user that the data file could not be written: a "Problème" box
// that says what was lost, names the file and gives the cause, in words the user can act on.
// Nothing the user asked for is dropped in silence.

#include <QString>

#include <string>

#include "store/write_failure.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

// What the user is told about a cause (app/write_failure_text.h): one French sentence, or two,
// ending in a full stop.
QString writeFailureText(store::WriteFailure failure, const std::string& dataFilePath = {});

// `whatFailed` is the first line, without the colon: "L'anniversaire n'a pas pu être enregistré
// dans le fichier".
void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& dataFilePath,
                        store::WriteFailure failure);

}  // namespace velorine::ui
