#pragma once
// The file chooser of save as, open and merge: Qt's own dialog, never the desktop's, whose language
// and formats follow the system's locale. Qt's file list formats sizes and dates with the system
// locale too ("56 bytes", "8 Dec" under LANG=C), so its details are shown through FrenchFileDetails,
// in the program's French locale whatever LANG says. The columns are sized to their texts.

#include <QFileDialog>
#include <QIdentityProxyModel>

#include <memory>

#include "ui/user_dialogs.h"

namespace velorine::ui {

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
