// The address-book exchange of the main window: the import from the "Fichier" menu, its summary,
// its progress and refusals; the export with or without name days and alarms, and its refusals;
// the calendar kept up to date from the "Options" menu after every change of the list.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "store/data_file.h"
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

// Counts the paint events of the widget it watches.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(int& paints) : paints_(paints) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    int& paints_;
};

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

// Sets the alarm box as the user does: all selected, the new number typed.
void typeAlarm(QDialog& dialog, int days) {
    auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("SpinAlarme"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(days));
}

void tick(QDialog& dialog, bool ticked) {
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxFetes"));
    if (box->isChecked() != ticked) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void pressDialogOk(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Exports through the dialog, ticking the name days or not, with the alarm offered or another; the
// file chooser then answers `target`. The alarm offered is left in `offered`.
bool exportTo(WindowRig& rig, const QString& target, bool nameDays, std::optional<int> alarm = std::nullopt,
              int* offered = nullptr) {
    rig.dialogs.chosenFiles = {target};
    CalendarExportDialog& dialog = dialogOf<CalendarExportDialog>(rig, "ExportAgenda");
    return whileShown(
        dialog, [&] { rig.control<QAction>("Exporterversunagenda1").trigger(); },
        [&] {
            tick(dialog, nameDays);
            if (offered) *offered = dialog.findChild<QSpinBox*>(QStringLiteral("SpinAlarme"))->value();
            if (alarm) typeAlarm(dialog, *alarm);
            saveScreenshot(dialog, QStringLiteral("contacts_export_dialog.png"));
            pressDialogOk(dialog);
        });
}

// Turns the kept calendar on from the Options menu, with the file typed, the name days and the
// alarm chosen.
bool keepCalendar(WindowRig& rig, const QString& path, bool nameDays, int alarm) {
    CalendarUpkeepDialog& dialog = dialogOf<CalendarUpkeepDialog>(rig, "AgendaAJour");
    return whileShown(
        dialog, [&] { rig.control<QAction>("Tenirajourunagenda1").trigger(); },
        [&] {
            auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("EditFichier"));
            file->selectAll();
            QTest::keyClicks(file, path);
            tick(dialog, nameDays);
            typeAlarm(dialog, alarm);
            saveScreenshot(dialog, QStringLiteral("contacts_kept_calendar_dialog.png"));
            pressDialogOk(dialog);
        });
}

// The SUMMARY lines of a calendar file, in its order.
QStringList summariesIn(const QString& path) {
    QStringList found;
    for (const QString& line : QString::fromStdString(readBytes(path.toStdString())).split(QStringLiteral("\r\n")))
        if (line.startsWith(QStringLiteral("SUMMARY:"))) found << line.mid(8);
    return found;
}

// An address book of `count` people, each a card of its own.
std::string bigBook(int count) {
    std::string book;
    book.reserve(static_cast<std::size_t>(count) * 70);
    for (int i = 0; i < count; ++i)
        book += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Nom" + std::to_string(i) + ";Jean;;;\r\nBDAY:1980-01-" +
                std::to_string(10 + i % 18) + "\r\nEND:VCARD\r\n";
    return book;
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
        const QString junk = fileIn(rig, "photo.vcf", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
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
            WindowRig rig(recordSection({kJean, {"Roux", "Zo\xE9", "29/02/1604", "", ""}}) + "[Rappel]\r\nJours=3\r\n");
            const QString target = rig.directory.filePath("agenda.ics");
            int offered = -1;
            QVERIFY(exportTo(rig, target, nameDays, nameDays ? std::optional<int>(0) : std::nullopt, &offered));
            QCOMPARE(offered, 3);  // the reminders' horizon
            const auto saves = rig.dialogs.callsOf(DialogCall::SaveFile);
            QCOMPARE(saves.size(), std::size_t{1});
            QCOMPARE(saves[0].text, QString("Anniversaires.ics"));
            QCOMPARE(saves[0].arguments, QStringList("Agenda iCalendar (*.ics)"));
            const QString calendar = QString::fromStdString(readBytes(target.toStdString()));
            QVERIFY(calendar.contains("SUMMARY:Anniversaire de Jean Dupont (1990)\r\n"));
            QVERIFY(calendar.contains("SUMMARY:Anniversaire de Zoé Roux\r\n"));
            QCOMPARE(calendar.contains("SUMMARY:Fête de Jean Dupont\r\n"), nameDays);
            // The alarm offered, or none when the user typed 0.
            QCOMPARE(calendar.contains("TRIGGER:-P2DT15H\r\n"), !nameDays);
            QCOMPARE(calendar.contains("BEGIN:VALARM"), !nameDays);
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

    // Neither the program's list nor a copy of it is ever replaced by a calendar, whatever the
    // chooser's own question was answered.
    void exportNeverReplacesAList() {
        WindowRig rig(recordSection({kJean}));
        const QString copy = fileIn(rig, "copie.txt", rig.dataFileBytes());
        const QString notes = fileIn(rig, "notes.txt", "à faire\n");
        const struct {
            QString target;
            const char* said;
        } cases[] = {
            {QString::fromStdString(rig.context.startup.dataFilePath), "est un fichier de la liste de Velorine"},
            {QString::fromStdString(rig.context.startup.pendingFilePath), "est un fichier de la liste de Velorine"},
            {copy, "est une liste de Velorine, elle ne sera pas remplacée"},
            {notes, "n'est pas un agenda, il ne sera pas remplacé"},
        };
        for (const auto& c : cases) {
            const std::string before = readBytes(c.target.toStdString());
            rig.dialogs.calls.clear();
            QVERIFY(exportTo(rig, c.target, false));
            QCOMPARE(rig.dialogs.messages().size(), 1);
            QVERIFY2(rig.dialogs.messages()[0].startsWith(QString("Problème|« %1 » %2").arg(c.target, c.said)),
                     qPrintable(rig.dialogs.messages()[0]));
            QCOMPARE(readBytes(c.target.toStdString()), before);
        }
        QVERIFY(!QFile::exists(QString::fromStdString(rig.context.startup.pendingFilePath)));
    }

    // An import that takes seconds (here another program holds the list's lock for 1.5 s, the
    // longest wait of a commit being 3 s): a progress dialog after half a second, the window painted
    // and its timers served all along, the list filled at the end.
    void aLongImportShowsItsProgressAndTheWindowGoesOnPainting() {
        WindowRig rig(recordSection({kJean}));
        constexpr int kPeople = 2000;
        const QString book = fileIn(rig, "grand.vcf", bigBook(kPeople));
        const int lock = ::open(store::lockFilePath(rig.context.startup.dataFilePath).c_str(), O_RDWR | O_CREAT, 0600);
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
        QTimer::singleShot(1500, [lock] { ::close(lock); });
        QWidget& list = *rig.list().viewport();
        int paints = 0;
        PaintCounter counter(paints);
        list.installEventFilter(&counter);
        bool progressShown = false;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            list.update();
            auto* progress = rig.form().findChild<QProgressDialog*>(QStringLiteral("Progression"));
            if (!progress || !progress->isVisible() || progressShown) return;
            progressShown = true;
            QCOMPARE(progress->windowTitle(), QString("Importer des contacts"));
            QCOMPARE(progress->labelText(), QString("Importation des contacts de « grand.vcf »..."));
            saveScreenshot(*progress, QStringLiteral("contacts_import_progress.png"));
        });
        ticker.start(20);
        const QString summary = importAndReadSummary(rig, book);
        ticker.stop();
        QVERIFY(progressShown);
        QVERIFY2(paints > 20, qPrintable(QString::number(paints)));
        QVERIFY(summary.contains(QString("personnes ajoutées à la liste : %1\n").arg(kPeople)));
        QCOMPARE(rig.list().model()->rowCount(), kPeople + 1);
        QVERIFY(!rig.form().findChild<QProgressDialog*>(QStringLiteral("Progression")));
    }

    // An address book's "Maman" is named without a blank before her, nor twice.
    void aPersonWithoutAFirstNameIsNamedOnce() {
        WindowRig rig(recordSection({}));
        importAndReadSummary(rig, fileIn(rig, "maman.vcf",
                                         "BEGIN:VCARD\r\nN:;Maman;;;\r\nFN:Maman\r\nBDAY:1960-05-01\r\nEND:VCARD\r\n"));
        QCOMPARE(rig.column(0), QStringList({"Maman"}));
        QCOMPARE(rig.column(1), QStringList({""}));
        rig.clickRow(0);
        QCOMPARE(rig.label("Label2").text(), QString("Maman (66 ans) va avoir 67 ans le 01/05/2027."));
    }

    // With the option on, the calendar follows every change the window makes to the list.
    void theKeptCalendarFollowsEveryChange() {
        WindowRig rig(recordSection({kJean}) + "[Rappel]\r\nJours=2\r\n");
        const QString calendar = rig.directory.filePath("suivi.ics");
        QAction& option = rig.control<QAction>("Tenirajourunagenda1");
        QCOMPARE(option.text(), QString("&Tenir à jour un agenda des anniversaires…"));
        QVERIFY(!option.isChecked());
        QVERIFY(keepCalendar(rig, calendar, false, 2));
        QVERIFY(option.isChecked());
        QCOMPARE(summariesIn(calendar), QStringList({"Anniversaire de Jean Dupont (1990)"}));
        QVERIFY(QString::fromStdString(readBytes(calendar.toStdString())).contains("TRIGGER:-P1DT15H\r\n"));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList(QString("Information|L'agenda « %1 » suivra désormais la liste.\n\n"
                                     "Abonnez-y votre agenda avec l'adresse :\nfile://%1")
                                 .arg(calendar)));

        // Add, then modify, through the add/modify dialog.
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& entry) {
                                   typeInto(entry, "Edit1", "Hugo");
                                   typeInto(entry, "Edit4", "Victor");
                                   typeInto(entry, "MaskEdit1", "26021802");
                                   pressOk(entry);
                               }));
        QCOMPARE(summariesIn(calendar),
                 QStringList({"Anniversaire de Jean Dupont (1990)", "Anniversaire de Victor Hugo (1802)"}));
        // Delete.
        rig.dialogs.answers = {true};
        rig.selectRow(0);
        rig.form().SpeedButton2Click();
        QCOMPARE(summariesIn(calendar), QStringList({"Anniversaire de Victor Hugo (1802)"}));
        // Import.
        importAndReadSummary(rig, fileIn(rig, "carnet.vcf", kBook));
        QCOMPARE(summariesIn(calendar).size(), 4);
        QVERIFY(summariesIn(calendar).contains("Anniversaire d'Anaïs Hébert (1992)"));
        // Merge, before the hand-over to the next instance.
        const QString other = fileIn(rig, "autre.txt", "[Controle]\r\nVersion=2.0\r\n" + recordSection({kJean}));
        rig.dialogs.answers = {true};
        rig.dialogs.chosenFiles = {other};
        rig.control<QAction>("Fusionner1").trigger();
        QCOMPARE(summariesIn(calendar).size(), 5);
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
    }

    // Off: the calendar stays as it was, no longer followed.
    void aCalendarNoLongerKeptIsLeftAlone() {
        WindowRig rig(recordSection({kJean}) + "[Agenda]\r\nAJour=1\r\n");
        const QString calendar = rig.directory.filePath("anniversaires.ics");
        rig.control<QMenu>("Options1").popup(QPoint(0, 0));  // the tick read as the menu opens
        QAction& option = rig.control<QAction>("Tenirajourunagenda1");
        QVERIFY(option.isChecked());
        rig.control<QMenu>("Options1").close();
        option.trigger();
        QVERIFY(!option.isChecked());
        QVERIFY(rig.dialogs.messages().isEmpty());
        importAndReadSummary(rig, fileIn(rig, "carnet.vcf", kBook));
        QVERIFY(!QFile::exists(calendar));
    }

    // A calendar that cannot be written is said, naming it; the list keeps the change.
    void aCalendarThatCannotBeWrittenIsSaid() {
        WindowRig rig(recordSection({kJean}));
        const QString notes = fileIn(rig, "notes.txt", "à faire\n");
        writeBytes(rig.context.startup.dataFilePath,
                   rig.dataFileBytes() + "[Agenda]\r\nAJour=1\r\nFichier=" + notes.toStdString() + "\r\n");
        rig.dialogs.answers = {true};
        rig.selectRow(0);
        rig.form().SpeedButton2Click();
        QCOMPARE(rig.storedRecords().size(), std::size_t{0});
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY2(rig.dialogs.messages()[0].startsWith(
                     QString("Problème|L'agenda des anniversaires n'a pas pu être mis à jour :\n%1\n\n"
                             "Ce fichier n'est pas un agenda : il n'est pas remplacé.")
                         .arg(notes)),
                 qPrintable(rig.dialogs.messages()[0]));
        QCOMPARE(readBytes(notes.toStdString()), std::string("à faire\n"));
    }
};

QTEST_MAIN(ContactsTest)
#include "contacts_test.moc"
