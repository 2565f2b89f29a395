#pragma once
// The program's French: the Windows-1252 edge of the data file's texts, the locale and Qt's own
// texts, and the file chooser in French.
//
// French everywhere: the default locale (dates, numbers) and Qt's own texts (Oui, Non, Annuler in
// the standard dialogs), from the translations Qt ships (qtbase_fr.qm), completed by the few texts
// that catalogue lacks (the file chooser's "Folder" and "Drive").

#include <QFileDialog>
#include <QIdentityProxyModel>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/user_dialogs.h"

class QCoreApplication;

namespace velorine::ui {

// False when Qt's French translations are not installed: the program then runs with Qt's own
// texts in English, the program's own texts and the completed ones being French anyway.
bool speakFrench(QCoreApplication& application);

// The edge between the data file's Windows-1252 bytes and the texts of the windows. Every text
// read from the store is shown through textFromCp1252, every text typed goes back through
// cp1252FromText; nothing else converts.

QString textFromCp1252(std::string_view bytes);

// Nothing when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> cp1252FromText(const QString& text);

// The first character of the text that Windows-1252 cannot hold (a whole surrogate pair counts as
// one), or an empty text when it can hold them all.
QString firstCharacterOutsideCp1252(const QString& text);

// The file chooser of save as, open and merge: Qt's own dialog, never the desktop's, whose language
// and formats follow the system's locale. Qt's file list formats sizes and dates with the system
// locale too ("56 bytes", "8 Dec" under LANG=C), so its details are shown through FrenchFileDetails,
// in the program's French locale whatever LANG says. The columns are sized to their texts.

// The file list as the chooser shows it, with the size ("56 octets", "2,57 Mio") and the date of
// change ("08/12/2026 07:40") of each entry written in the default locale's words. Folders have no
// size. Everything else (names, types, icons, headers, sorting) is the file system model's.
class FrenchFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

// A chooser for the request, ready to be shown: AcceptOpen asks for an existing file, AcceptSave
// for a name to write (asking before a file is replaced, the name used as typed).
std::unique_ptr<QFileDialog> makeFileChooser(QFileDialog::AcceptMode mode, const FileRequest& request);

// Shows the chooser modally: the path chosen, or empty when the user cancels.
QString runFileChooser(QFileDialog& chooser);

}  // namespace velorine::ui
