// The address-book exchange of the main window: the import from the "Fichier" menu, its summary
// and refusals; the export with or without name days, and its refusals.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

#include "ui/main/contacts_dialogs.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const store::BirthdayRecord kJean{"Dupont", "Jean", "10/03/1990", "", ""};

const char kBook[] =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:H=C3=A9bert;Ana=C3=AFs;;;\r\n"
    "BDAY:1992-06-21\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:DUPONT;jean;;;\r\nBDAY:1990-03-10\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Wałęsa;Łukasz;;;\r\nBDAY:--0203\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Sans Date\r\nEND:VCARD\r\n";

QString fileIn(WindowRig& rig, const char* name, const std::string& bytes) {
    const QString path = rig.directory.filePath(QString::fromLatin1(name));
    writeBytes(path.toStdString(), bytes);
    return path;
}

template <class Dialog>
Dialog& dialogOf(WindowRig& rig, const char* name) {
    auto* dialog = rig.form().findChild<Dialog*>(QString::fromLatin1(name));
    if (!dialog) qFatal("no dialog %s", name);
    return *dialog;
}

void saveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(VELORINE_SCREENSHOT_DIR);
    QVERIFY(window.grab().toImage().save(QStringLiteral(VELORINE_SCREENSHOT_DIR "/") + name));
}

// Imports `book`; the summary shown, or empty when none was.
QString importAndReadSummary(WindowRig& rig, const QString& book) {
    rig.dialogs.chosenFiles = {book};
    ImportSummaryDialog& summary = dialogOf<ImportSummaryDialog>(rig, "ResumeImport");
    QString shown;
    whileShown(
        summary, [&] { rig.control<QAction>("Importerdescontacts1").trigger(); },
        [&] {
            shown = summary.summaryText();
            saveScreenshot(summary, QStringLiteral("contacts_import_summary.png"));
        });
    return shown;
}

// Exports through the dialog, ticking the name days or not; the file chooser then answers `target`.
bool exportTo(WindowRig& rig, const QString& target, bool nameDays) {
    rig.dialogs.chosenFiles = {target};
    CalendarExportDialog& dialog = dialogOf<CalendarExportDialog>(rig, "ExportAgenda");
    return whileShown(
        dialog, [&] { rig.control<QAction>("Exporterversunagenda1").trigger(); },
        [&] {
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxFetes"));
            if (box->isChecked() != nameDays) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            saveScreenshot(dialog, QStringLiteral("contacts_export_dialog.png"));
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
}

}  // namespace

class ContactsTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuOffersBothExchanges() {
        WindowRig rig(recordSection({kJean}));
        QCOMPARE(rig.control<QAction>("Importerdescontacts1").text(), QString("&Importer des contacts (vCard)…"));
        QCOMPARE(rig.control<QAction>("Exporterversunagenda1").text(),
                 QString("&Exporter vers un agenda (iCalendar)…"));
    }

    void importAddsTheNewPeopleAndSaysWhat() {
        WindowRig rig(recordSection({kJean}));
        const QString book = fileIn(rig, "carnet.vcf", kBook);
        const QString summary = importAndReadSummary(rig, book);
        const DialogCall request = rig.dialogs.calls.at(0);
        QCOMPARE(request.kind, DialogCall::OpenFile);
        QCOMPARE(request.arguments, QStringList({"Contacts vCard (*.vcf *.vcard)", "Tous fichiers (*.*)"}));
        QCOMPARE(summary, QString("Contacts importés de « %1 » :\n"
                                  "  personnes ajoutées à la liste : 2\n"
                                  "  déjà dans la liste : 1\n"
                                  "  cartes sans date de naissance utilisable : 1\n"
                                  "\n"
                                  "Textes adaptés aux lettres de Velorine :\n"
                                  "  Łukasz Wałęsa → Lukasz Walesa\n"
                                  "\n"
                                  "Cartes non reprises :\n"
                                  "  Sans Date : pas de date de naissance\n")
                              .arg(book));
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Hébert", "Walesa"}));
        QCOMPARE(rig.column(2), QStringList({"10/03/1990", "21/06/1992", "03/02/1604"}));
        QCOMPARE(rig.label("Label4").text(), QString("3 Velorine"));
        QVERIFY(rig.dialogs.messages().isEmpty());
        QVERIFY(rig.form().isVisible());
        // The same book again adds no one.
        const std::string once = rig.dataFileBytes();
        QVERIFY(
            importAndReadSummary(rig, book).contains("personnes ajoutées à la liste : 0\n  déjà dans la liste : 3"));
        QCOMPARE(rig.dataFileBytes(), once);
    }

    void importRefusesABadFileAndChangesNothing() {
        WindowRig rig(recordSection({kJean}));
        const std::string before = rig.dataFileBytes();
        const QString junk = fileIn(rig, "photo.vcf", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
        QVERIFY(importAndReadSummary(rig, junk).isEmpty());
        QCOMPARE(rig.dialogs.messages(),
                 QStringList(QString("Problème|Le fichier « %1 » ne peut pas être importé : il contient des données "
                                     "binaires : ce n'est pas un fichier de contacts vCard.")
                                 .arg(junk)));
        QCOMPARE(rig.dataFileBytes(), before);
    }

    void importTellsAFailedWriteAndChangesNothing() {
        WindowRig rig(recordSection({kJean}));
        const std::string before = rig.dataFileBytes();
        QVERIFY(::chmod(rig.context.startup.dataFilePath.c_str(), 0400) == 0);
        QVERIFY(importAndReadSummary(rig, fileIn(rig, "carnet.vcf", kBook)).isEmpty());
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY(rig.dialogs.messages()[0].startsWith("Problème|Les contacts n'ont pas pu être ajoutés au fichier :\n"));
        QVERIFY(rig.dialogs.messages()[0].endsWith(
            "Ce fichier est en lecture seule : autorisez son écriture, puis recommencez."));
        QCOMPARE(rig.dataFileBytes(), before);
        QCOMPARE(rig.column(0), QStringList({"Dupont"}));
    }

    void exportWritesTheCalendarWithOrWithoutNameDays() {
        for (const bool nameDays : {false, true}) {
            WindowRig rig(recordSection({kJean, {"Roux", "Zo\xE9", "29/02/1604", "", ""}}));
            const QString target = rig.directory.filePath("agenda.ics");
            QVERIFY(exportTo(rig, target, nameDays));
            const auto saves = rig.dialogs.callsOf(DialogCall::SaveFile);
            QCOMPARE(saves.size(), std::size_t{1});
            QCOMPARE(saves[0].text, QString("Anniversaires.ics"));
            QCOMPARE(saves[0].arguments, QStringList("Agenda iCalendar (*.ics)"));
            const QString calendar = QString::fromStdString(readBytes(target.toStdString()));
            QVERIFY(calendar.contains("SUMMARY:Anniversaire de Jean Dupont\r\n"));
            QVERIFY(calendar.contains("SUMMARY:Anniversaire de Zoé Roux\r\n"));
            QCOMPARE(calendar.contains("SUMMARY:Fête de Jean Dupont\r\n"), nameDays);
            QCOMPARE(rig.dialogs.messages().size(), 1);
            QVERIFY(rig.dialogs.messages()[0].startsWith(
                QString("Information|L'agenda « %1 » a été écrit : 2 anniversaires%2")
                    .arg(target, nameDays ? " et " : ".")));
        }
    }

    void exportCancelledOrRefusedWritesNothing() {
        WindowRig rig(recordSection({kJean}));
        CalendarExportDialog& dialog = dialogOf<CalendarExportDialog>(rig, "ExportAgenda");
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("Exporterversunagenda1").trigger(); }, [] {}));
        QVERIFY(rig.dialogs.calls.empty());  // cancelled before the file chooser

        const QString folder = rig.directory.filePath("dossier.ics");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(exportTo(rig, folder, false));
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY(rig.dialogs.messages()[0].startsWith(
            QString("Problème|L'agenda n'a pas pu être écrit :\n%1\n\n").arg(folder)));
    }
};

QTEST_MAIN(ContactsTest)
#include "contacts_test.moc"
