// The file chooser of save as, open and merge, under the C locale (where Qt's own file list says
// "Folder", "56 bytes" and "8 Dec"): every detail French, and columns as wide as their texts.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <sys/stat.h>

#include "ui/french.h"

using namespace velorine::ui;

namespace {

// Eight December 2026, 10:15 local time: a day whose month the C locale writes "Dec".
const QDateTime kChanged(QDate(2026, 12, 8), QTime(10, 15));

void createFile(const QString& path, qint64 size) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
    file.close();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(kChanged, QFileDevice::FileModificationTime));
}

// The texts of the row of `name`, column by column.
QStringList rowOf(const QTreeView& list, const QString& name) {
    const QAbstractItemModel& model = *list.model();
    const QModelIndex parent = list.rootIndex();
    for (int row = 0; row < model.rowCount(parent); ++row) {
        if (model.index(row, 0, parent).data().toString() != name) continue;
        QStringList texts;
        for (int column = 0; column < model.columnCount(parent); ++column)
            texts << model.index(row, column, parent).data().toString();
        return texts;
    }
    return {};
}

}  // namespace

class FileChooserTest : public QObject {
    Q_OBJECT

private slots:
    void everyDetailIsFrenchAndFitsItsColumn() {
        QTemporaryDir directory;
        createFile(directory.filePath("liste.txt"), 56);
        createFile(directory.filePath("sauvegarde complète.txt"), 2694840);
        QVERIFY(QDir(directory.path()).mkdir("Archives"));

        auto chooser = makeFileChooser(QFileDialog::AcceptOpen,
                                       {QString(), {"Fichiers texte (*.txt)", "Tous fichiers (*.*)"}, QString()});
        chooser->setDirectory(directory.path());
        chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(chooser.get()));
        auto* list = chooser->findChild<QTreeView*>("treeView");
        QVERIFY(list && list->isVisible());
        QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 3);

        const QString date = QStringLiteral("08/12/2026 10:15");
        QCOMPARE(rowOf(*list, "Archives").mid(1, 1), QStringList(""));
        QCOMPARE(rowOf(*list, "Archives").value(2), QString("Dossier"));
        QCOMPARE(rowOf(*list, "Archives").size(), 4);
        QCOMPARE(rowOf(*list, "liste.txt").value(1), QString("56 octets"));
        QCOMPARE(rowOf(*list, "liste.txt").value(3), date);
        QCOMPARE(rowOf(*list, "sauvegarde complète.txt").value(1), QString("2,57 Mio"));

        QStringList titles;
        QHeaderView& header = *list->header();
        for (int column = 0; column < header.count(); ++column)
            titles << list->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"Nom", "Taille", "Type", "Dernière modification"}));

        // Nothing clipped: every column is at least as wide as its title and its widest text.
        QCoreApplication::processEvents();
        const QFontMetrics cells(list->font());
        const QFontMetrics titleFont(header.font());
        for (int column = 1; column < header.count(); ++column) {
            int widest = titleFont.horizontalAdvance(titles[column]);
            for (const QString name : {"Archives", "liste.txt", "sauvegarde complète.txt"})
                widest = std::max(widest, cells.horizontalAdvance(rowOf(*list, name).value(column)));
            QVERIFY2(header.sectionSize(column) > widest, qPrintable(titles[column]));
        }
        QVERIFY(header.sectionSize(0) > cells.horizontalAdvance("sauvegarde complète.txt"));

        QDir().mkpath(VELORINE_SCREENSHOT_DIR);
        QVERIFY(chooser->grab().save(QStringLiteral(VELORINE_SCREENSHOT_DIR "/file_chooser.png")));
    }

    void theSaveChooserStartsWithItsNameAndAsksBeforeReplacing() {
        auto chooser = makeFileChooser(QFileDialog::AcceptSave,
                                       {"Enregistrer les Velorine sous", {"Fichiers texte (*.txt)"}, "Velorine.txt"});
        QCOMPARE(chooser->windowTitle(), QString("Enregistrer les Velorine sous"));
        QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!chooser->testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(chooser->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(chooser->defaultSuffix(), QString());
        QCOMPARE(chooser->nameFilters(), QStringList("Fichiers texte (*.txt)"));
        chooser->show();
        auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        QCOMPARE(name->text(), QString("Velorine.txt"));
    }

    void everyFileMeansNamesWithoutADotToo() {
        auto chooser = makeFileChooser(QFileDialog::AcceptOpen,
                                       {QString(), {"Fichiers texte (*.txt)", "Tous fichiers (*.*)"}, QString()});
        QCOMPARE(chooser->nameFilters(), QStringList({"Fichiers texte (*.txt)", "Tous fichiers (*)"}));
        QCOMPARE(chooser->fileMode(), QFileDialog::ExistingFile);
    }
};

int main(int argc, char** argv) {
    // The system locale as a bare machine has it, whatever the one running the tests.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    QApplication application(argc, argv);
    speakFrench(application);
    FileChooserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_chooser_test.moc"
