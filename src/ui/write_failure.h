#pragma once
// The one way a window tells the user that the data file could not be written: a "Problème" box
// that says what was lost, names the file and says what to check. Nothing the user asked for is
// dropped in silence.

#include <QString>

#include <string>

#include "ui/user_dialogs.h"

namespace velorine::ui {

// `whatFailed` is the first line, without the colon: "L'anniversaire n'a pas pu être enregistré
// dans le fichier".
void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& dataFilePath);

}  // namespace velorine::ui
