#pragma once
// French everywhere: the default locale (dates, numbers) and Qt's own texts (Oui, Non, Annuler in
// the standard dialogs), from the translations Qt ships (qtbase_fr.qm), completed by the few texts
// that catalogue lacks (the file chooser's "Folder" and "Drive").

class QCoreApplication;

namespace velorine::ui {

// False when Qt's French translations are not installed: the program then runs with Qt's own
// texts in English, the program's own texts and the completed ones being French anyway.
bool speakFrench(QCoreApplication& application);

}  // namespace velorine::ui
