#include "ui/french.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringView>
#include <QTranslator>
#include <QTreeView>

#include <string_view>

#include "store/cp1252.h"

namespace velorine::ui {

namespace {

// The types Qt's file chooser names itself on this system (a folder, the root, a dangling link, a
// pipe or a socket); its French catalogue has no entry for them.
class MissingFrenchTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !sourceText || std::string_view(context) != "QAbstractFileIconProvider") return {};
        const std::string_view text(sourceText);
        if (text == "Folder") return QStringLiteral("Dossier");
        if (text == "Drive") return QStringLiteral("Lecteur");
        if (text == "Shortcut") return QStringLiteral("Raccourci");
        if (text == "Unknown") return QStringLiteral("Inconnu");
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool speakFrench(QCoreApplication& application) {
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    QCoreApplication::installTranslator(new MissingFrenchTexts(&application));
    auto* translator = new QTranslator(&application);
    if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString textFromCp1252(std::string_view bytes) {
    const std::string utf8 = store::cp1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> cp1252FromText(const QString& text) { return store::utf8ToCp1252(text.toStdString()); }

QString firstCharacterOutsideCp1252(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!store::canHoldInCp1252(character.toStdString())) return character;
        i += length;
    }
    return {};
}

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
