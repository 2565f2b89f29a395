#include "ui/french_file_chooser.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

namespace velorine::ui {
namespace {

// The columns of Qt's file system model.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// Wide enough for the French column titles and a long file name beside them.
constexpr QSize kChooserSize(760, 440);

// "*.*" means every file where the program comes from; here it would hide the names without a dot
// (a list saved as "anniversaires"), so the chooser is given "*", the same meaning on this system.
QString filterText(const QStringList& filters) {
    QStringList adapted = filters;
    for (QString& filter : adapted) filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return adapted.join(QStringLiteral(";;"));
}

// The name column takes the room the others leave; they fit their texts, titles included. The
// detail list is the one Qt's own dialog names "treeView".
void fitColumns(QFileDialog& chooser) {
    auto* list = chooser.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!list) return;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

}  // namespace

QVariant FrenchFileDetails::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QFileInfo entry = files->fileInfo(mapToSource(index));
    if (index.column() == kSizeColumn) return entry.isDir() ? QString() : QLocale().formattedDataSize(entry.size());
    return QLocale().toString(entry.lastModified(), QLocale::ShortFormat);
}

std::unique_ptr<QFileDialog> makeFileChooser(QFileDialog::AcceptMode mode, const FileRequest& request) {
    auto chooser = std::make_unique<QFileDialog>(nullptr, request.title, QString(), filterText(request.filters));
    chooser->setOption(QFileDialog::DontUseNativeDialog);
    chooser->setAcceptMode(mode);
    chooser->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    chooser->setViewMode(QFileDialog::Detail);
    chooser->setProxyModel(new FrenchFileDetails(chooser.get()));
    if (!request.initialName.isEmpty()) chooser->selectFile(request.initialName);
    fitColumns(*chooser);
    chooser->resize(kChooserSize);
    return chooser;
}

QString runFileChooser(QFileDialog& chooser) {
    if (chooser.exec() != QDialog::Accepted) return {};
    const QStringList chosen = chooser.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

}  // namespace velorine::ui
