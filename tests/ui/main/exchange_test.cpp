// Whole lists through the main window's "Fichier" menu: save as, open and merge, their dialogs and
// questions, the files they refuse, and what the next run shows after the hand-over.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTest>

#include <algorithm>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "next_run.h"
#include "store/data_file.h"
#include "sample_records.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const std::string kStamp = "[Controle]\r\nVersion=2.0\r\n";
const QString kInvalid =
    QStringLiteral("Problème|Ce fichier est invalide !\n\nVeillez à ouvrir un fichier créé par le présent logiciel.");
// The copy's message, with the file and the cause on its second line.
QString copyFailed(const QString& path, const QString& cause) {
    return QStringLiteral("Problème|La copie a échoué !\n%1 : %2\n\nCorrigez le problème et recommencez...")
        .arg(path, cause);
}

std::string dataFileOf(const std::vector<store::BirthdayRecord>& records) { return kStamp + recordSection(records); }

// A file beside the data file; its path as the chooser would answer it.
QString listFile(WindowRig& rig, const char* name, const std::string& bytes) {
    const QString path = rig.directory.filePath(QString::fromLatin1(name));
    writeBytes(QFile::encodeName(path).toStdString(), bytes);
    return path;
}

std::string pendingBytes(WindowRig& rig) { return readBytes(rig.context.startup.pendingFilePath); }
bool pendingExists(WindowRig& rig) {
    return QFile::exists(QString::fromStdString(rig.context.startup.pendingFilePath));
}

std::string stored(WindowRig& rig, const char* section, const std::string& key) {
    return store::readValue(rig.context.startup.dataFilePath, section, key, "absent", 128);
}

void merge(WindowRig& rig, const QString& chosen) {
    rig.dialogs.answers = {true};
    rig.dialogs.chosenFiles = {chosen};
    rig.control<QAction>("Fusionner1").trigger();
}

void open(WindowRig& rig, const QString& chosen) {
    rig.dialogs.answers = {true};
    rig.dialogs.chosenFiles = {chosen};
    rig.control<QAction>("Ouvrir1").trigger();
}

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(5);
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// Nothing happened beyond the refusal: the data file as it was, no pending file, the window open.
void checkUntouched(WindowRig& rig, const std::string& before) {
    QCOMPARE(rig.dataFileBytes(), before);
    QVERIFY(!pendingExists(rig));
    QVERIFY(rig.form().isVisible());
    QVERIFY(rig.dialogs.callsOf(DialogCall::Program).empty());
}

}  // namespace

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void saveAsCopiesTheWholeDataFile() {
        WindowRig rig(dataFileOf({kJean, kLeon}) + "[Options]\r\nForm1ListViewBack=65535\r\n[Rappel]\r\nJours=12\r\n");
        const QString target = listFile(rig, "Velorine.txt", "ancienne liste");
        rig.dialogs.chosenFiles = {target};
        rig.control<QAction>("Enregistrersous1").trigger();
        const DialogCall request = rig.dialogs.calls.at(0);
        QCOMPARE(request.kind, DialogCall::SaveFile);
        QCOMPARE(request.title, QString("Enregistrer les Velorine sous"));
        QCOMPARE(request.text, QString("Velorine.txt"));
        QCOMPARE(request.arguments, QStringList("Fichiers texte (*.txt)"));
        QCOMPARE(readBytes(target.toStdString()), rig.dataFileBytes());
        QVERIFY(rig.dialogs.messages().isEmpty());

        rig.control<QAction>("Enregistrersous1").trigger();  // cancelled
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{2});
    }

    void saveAsThatCannotBeWrittenSaysWhy_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing folder") << "absent/Velorine.txt"
                                        << "le dossier de ce fichier n'existe pas ou plus.";
        QTest::newRow("a folder") << "."
                                  << "ce chemin désigne un dossier, pas un fichier.";
    }
    void saveAsThatCannotBeWrittenSaysWhy() {
        QFETCH(QString, target);
        QFETCH(QString, cause);
        WindowRig rig(dataFileOf({kJean}));
        const QString chosen = rig.directory.filePath(target);
        rig.dialogs.chosenFiles = {chosen};
        rig.control<QAction>("Enregistrersous1").trigger();
        QCOMPARE(rig.dialogs.messages(), QStringList(copyFailed(chosen, cause)));
        QCOMPARE(rig.dialogs.calls.back().icon, MessageIcon::Error);
    }

    void saveAsThenOpenGivesBackTheSameRecordsAndSettings() {
        const std::string settings =
            "[Options]\r\nForm1Label2=255\r\nForm1ListViewBack=-16777216\r\n"
            "[Fenetre]\r\nLargeur0=120\r\nLargeur3=60\r\nAideRapide=1\r\n"
            "[Rappel]\r\nJours=12\r\nDate=1 1 2026\r\n";
        WindowRig mine(dataFileOf({kJean, kAnne, kLeon}) + settings);
        const QString saved = mine.directory.filePath("Velorine.txt");
        mine.dialogs.chosenFiles = {saved};
        mine.control<QAction>("Enregistrersous1").trigger();
        mine.form().close();

        WindowRig other(dataFileOf({{"Autre", "Personne", "01/01/1970", "", ""}}));
        open(other, saved);
        NextRun next(other, StartUp::RunHere);
        QCOMPARE(next.column(0), QStringList({"Dupont", "Martin", "Petit"}));
        QCOMPARE(next.column(1), QStringList({"Jean", "Anne", "Léon"}));
        QCOMPARE(next.list().columnWidth(0), 120);
        QCOMPARE(next.list().columnWidth(3), 60);
        QCOMPARE(next.list().palette().color(QPalette::Base), QColor(0, 0, 0));
        QVERIFY(next.form().findChild<QCheckBox*>("CheckBox4")->isChecked());
        for (const char* key : {"Jours", "Date"})
            QCOMPARE(store::readValue(next.context.startup.dataFilePath, "Rappel", key, "", 50),
                     store::readValue(QFile::encodeName(saved).toStdString(), "Rappel", key, "", 50));
        QVERIFY(!pendingExists(other));
    }

    void openAsksForAFileThenTheQuestion() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        rig.control<QAction>("Ouvrir1").trigger();  // cancelled
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].kind, DialogCall::OpenFile);
        QCOMPARE(rig.dialogs.calls[0].title, QString());
        QCOMPARE(rig.dialogs.calls[0].text, QString());
        QCOMPARE(rig.dialogs.calls[0].arguments, QStringList({"Fichiers texte (*.txt)", "Tous fichiers (*.*)"}));

        rig.dialogs.chosenFiles = {listFile(rig, "liste.txt", dataFileOf({kAnne}))};
        rig.control<QAction>("Ouvrir1").trigger();  // the question declined
        const DialogCall question = rig.dialogs.calls.back();
        QCOMPARE(question.kind, DialogCall::Question);
        QCOMPARE(question.title, QString("ATTENTION"));
        QCOMPARE(question.text, QString("Cette opération supprimera les Velorine actuellement présents sur votre "
                                        "ordinateur.\n\nEtes-vous sûr de vouloir continuer ?"));
        checkUntouched(rig, before);
    }

    void openHandsTheFileToTheNextStartAndCloses() {
        WindowRig rig(dataFileOf({kJean}));
        rig.list().setColumnWidth(0, 150);  // this layout belongs to the list being replaced
        const std::string before = rig.dataFileBytes();
        const std::string list = "[Controle]\r\nVersion=\r\n" + recordSection({kAnne, kLeon});
        open(rig, listFile(rig, "liste.txt", list));
        QCOMPARE(pendingBytes(rig), list);
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program)[0].arguments, QStringList());
        QVERIFY(!rig.form().isVisible());
        QCOMPARE(rig.dataFileBytes(), before);
        QVERIFY(rig.dialogs.messages().isEmpty());

        NextRun next(rig, StartUp::RunHere);
        QCOMPARE(next.column(0), QStringList({"Martin", "Petit"}));
        QCOMPARE(next.list().columnWidth(0), 90);
    }

    void openWithAPendingFileWaitingFails() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        writeBytes(rig.context.startup.pendingFilePath, dataFileOf({kLeon}));
        open(rig, listFile(rig, "liste.txt", dataFileOf({kAnne})));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList(copyFailed(QString::fromStdString(rig.context.startup.pendingFilePath),
                                        "une liste attend déjà d'être reprise au prochain démarrage du programme.")));
        QCOMPARE(pendingBytes(rig), dataFileOf({kLeon}));
        QCOMPARE(rig.dataFileBytes(), before);
        QVERIFY(rig.form().isVisible());
        QVERIFY(rig.dialogs.callsOf(DialogCall::Program).empty());
    }

    void aRestartThatFailsIsExplainedAndTheWindowStillCloses() {
        for (const char* command : {"Ouvrir1", "Fusionner1"}) {
            WindowRig rig(dataFileOf({kJean}));
            rig.dialogs.programStarts = false;
            rig.dialogs.answers = {true};
            rig.dialogs.chosenFiles = {listFile(rig, "liste.txt", dataFileOf({kAnne}))};
            rig.control<QAction>(command).trigger();
            QCOMPARE(rig.dialogs.messages().size(), 1);
            QVERIFY2(rig.dialogs.messages()[0].startsWith("Attention|Velorine n'a pas pu redémarrer."), command);
            QVERIFY(!rig.form().isVisible());
        }
    }

    // Open and merge refuse the same files, before anything is asked or changed.
    void unusableFilesAreRefused_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        for (const char* command : {"Ouvrir1", "Fusionner1"}) {
            const auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(QString("%1 %2").arg(command, name)));
            };
            *row("no Controle") << command << "no-controle" << kInvalid;
            *row("no Version") << command << "no-version" << kInvalid;
            *row("binary") << command << "binary" << kInvalid;
            *row("folder") << command << "folder"
                           << "Problème|« %1 » n'est pas un fichier.\n\n"
                              "Choisissez le fichier d'une liste de Velorine.";
            *row("pipe") << command << "pipe"
                         << "Problème|« %1 » n'est pas un fichier.\n\n"
                            "Choisissez le fichier d'une liste de Velorine.";
            *row("missing") << command << "missing"
                            << "Problème|Le fichier « %1 » est introuvable.";
            *row("50 MB") << command << "huge"
                          << "Problème|Le fichier « %1 » est bien trop volumineux pour être une liste de Velorine."
                             "\n\nVeillez à ouvrir un fichier créé par le présent logiciel.";
        }
    }
    void unusableFilesAreRefused() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, message);
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        const QString path = rig.directory.filePath(file);
        const std::string bytes = QFile::encodeName(path).toStdString();
        if (file == "no-controle") writeBytes(bytes, recordSection({kAnne}));
        if (file == "no-version") writeBytes(bytes, "[Controle]\r\nVersio=2.0\r\n" + recordSection({kAnne}));
        if (file == "binary") writeBytes(bytes, randomBytes(256 * 1024));
        if (file == "folder") QVERIFY(QDir(rig.directory.path()).mkdir(file));
        if (file == "pipe") QCOMPARE(::mkfifo(bytes.c_str(), 0600), 0);
        if (file == "huge") {
            // The list file's header, then 50 MB of nothing.
            writeBytes(bytes, dataFileOf({kAnne}));
            QVERIFY(QFile::resize(path, 50 * 1000 * 1000));
        }
        rig.dialogs.answers = {true};
        rig.dialogs.chosenFiles = {path};
        rig.control<QAction>(qPrintable(command)).trigger();
        QCOMPARE(rig.dialogs.messages(), QStringList(message.contains("%1") ? message.arg(path) : message));
        QCOMPARE(rig.dialogs.calls.back().icon, MessageIcon::Error);
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Question).size(), std::size_t(command == "Fusionner1" ? 1 : 0));
        checkUntouched(rig, before);
    }

    void anUnreadableFileIsRefused() {
        if (::geteuid() == 0) QSKIP("every file can be read with root's rights");
        for (const char* command : {"Ouvrir1", "Fusionner1"}) {
            WindowRig rig(dataFileOf({kJean}));
            const std::string before = rig.dataFileBytes();
            const QString path = listFile(rig, "secret.txt", dataFileOf({kAnne}));
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0), 0);
            rig.dialogs.answers = {true};
            rig.dialogs.chosenFiles = {path};
            rig.control<QAction>(command).trigger();
            QCOMPARE(rig.dialogs.messages(),
                     QStringList(QString("Problème|Le fichier « %1 » ne peut pas être lu.\n\n"
                                         "Vérifiez que vous avez le droit de le lire, puis recommencez...")
                                     .arg(path)));
            checkUntouched(rig, before);
        }
    }

    void anyVersionCountsEvenAnEmptyOne() {
        for (const char* version : {"", "1.0", "2.0", "n'importe quoi"}) {
            WindowRig rig(dataFileOf({kJean}));
            const std::string list = "[Controle]\r\nVersion=" + std::string(version) + "\r\n";
            rig.dialogs.chosenFiles = {listFile(rig, "liste.txt", list)};
            rig.control<QAction>("Ouvrir1").trigger();  // the question declined
            QVERIFY2(rig.dialogs.messages().isEmpty(), version);
            QCOMPARE(rig.dialogs.calls.back().kind, DialogCall::Question);
        }
    }

    void mergeAsksFirstThenForTheFile() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        rig.control<QAction>("Fusionner1").trigger();  // declined
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].title, QString("ATTENTION"));
        QCOMPARE(rig.dialogs.calls[0].text,
                 QString("Cette opération ajoutera de nouveaux velorine à ceux actuellement présents sur votre "
                         "ordinateur.\n\nEtes-vous sûr de vouloir continuer ?"));
        rig.dialogs.answers = {true};
        rig.control<QAction>("Fusionner1").trigger();  // no file chosen
        const DialogCall request = rig.dialogs.calls.back();
        QCOMPARE(request.kind, DialogCall::OpenFile);
        QCOMPARE(request.title, QString("Où se trouvent les Velorine à ajouter ?"));
        QCOMPARE(request.text, QString());
        QCOMPARE(request.arguments, QStringList({"Fichiers texte (*.txt)", "Tous fichiers (*.*)"}));
        checkUntouched(rig, before);
    }

    void mergingSharedRecordsListsThemTwice() {
        WindowRig rig(dataFileOf({kJean, kAnne}));
        merge(rig, listFile(rig, "liste.txt", dataFileOf({kAnne, kJean, kLeon})));
        QVERIFY(rig.dialogs.messages().isEmpty());
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program)[0].arguments, QStringList());
        QVERIFY(!rig.form().isVisible());
        QVERIFY(!pendingExists(rig));
        QCOMPARE(rig.storedRecords(), (std::vector<store::BirthdayRecord>{kJean, kAnne, kAnne, kJean, kLeon}));

        NextRun next(rig, StartUp::RunHere);
        QCOMPARE(next.column(0), QStringList({"Dupont", "Dupont", "Martin", "Martin", "Petit"}));
        QCOMPARE(next.form().findChild<QLabel*>("Label4")->text(), QString("5 Velorine"));
    }

    void mergingAListWithoutRecordsDoesNothingAndSaysNothing() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        // Holes only, then records past the end of the list: none of them counts.
        merge(rig, listFile(rig, "vide.txt", kStamp + "[Velorine]\r\nNom1=\r\nPren1=X\r\nNom2=\r\nNom4=Perdu\r\n"));
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{2});
        checkUntouched(rig, before);
    }

    void mergeFillsTheHolesThenTheEnd() {
        WindowRig rig(kStamp + "[Velorine]\r\nNom1=Un\r\nNom2=\r\nNom3=Trois\r\nNom4=\r\nPren4=\r\nNom5=Cinq\r\n");
        // The list's own holes are skipped; absent keys come in empty.
        merge(rig, listFile(rig, "liste.txt",
                            kStamp + "[Velorine]\r\nNom1=A\r\nPren1=a\r\nNom2=\r\nNom3=B\r\nDate3=01/02/2003\r\n"
                                     "Nom4=C\r\nEmail4=c@c.fr\r\n"));
        const store::IniDocument doc = store::snapshot(rig.context.startup.dataFilePath);
        QCOMPARE(doc.read("Velorine", "Nom2", "", 128), std::string("A"));
        QCOMPARE(doc.read("Velorine", "Pren2", "", 128), std::string("a"));
        QCOMPARE(doc.read("Velorine", "Nom4", "", 128), std::string("B"));
        QCOMPARE(doc.read("Velorine", "Date4", "", 128), std::string("01/02/2003"));
        QCOMPARE(doc.read("Velorine", "Nom6", "", 128), std::string("C"));
        QCOMPARE(doc.read("Velorine", "Email6", "", 128), std::string("c@c.fr"));
        QCOMPARE(doc.read("Velorine", "Adress6", "absent", 128), std::string());
        QCOMPARE(doc.read("Velorine", "Nom5", "", 128), std::string("Cinq"));
        QVERIFY(!doc.find("Velorine", "Nom7"));
    }

    void mergeKeepsTheAccentsOfAWindowsList() {
        WindowRig rig(dataFileOf({kJean}));
        // Written byte by byte as the Windows program writes them: é E9, ç E7, œ 9C, € 80, ë EB.
        const std::string list =
            "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\n"
            "Nom1=C\x9C"
            "ur\r\nPren1=Fran\xE7oise\r\nDate1=14/07/1989\r\n"
            "Adress1=All\xE9"
            "e des No\xEBls\r\nEmail1=co\xFBt 5 \x80\r\n";
        merge(rig, listFile(rig, "windows.txt", list));
        const std::string data = rig.dataFileBytes();
        for (const char* bytes : {"Nom2=C\x9C"
                                  "ur\r\n",
                                  "Pren2=Fran\xE7oise\r\n",
                                  "Adress2=All\xE9"
                                  "e des No\xEBls\r\n",
                                  "Email2=co\xFBt 5 \x80\r\n"})
            QVERIFY2(data.find(bytes) != std::string::npos, bytes);

        NextRun next(rig, StartUp::RunHere);
        QCOMPARE(next.column(0), QStringList({"Cœur", "Dupont"}));
        QCOMPARE(next.column(1), QStringList({"Françoise", "Jean"}));
        QCOMPARE(next.column(3), QStringList({"Allée des Noëls", "3 rue des Lilas, Lyon"}));
        QCOMPARE(next.column(4), QStringList({"coût 5 €", "jean@dupont.fr"}));
    }

    void aListWithEveryHighByteIsKeptByteForByte() {
        // Not valid UTF-8, as no real Windows-1252 list with accents is: taken exactly as it is.
        std::string firstHalf, secondHalf;
        for (int byte = 0x80; byte < 0xC0; ++byte) firstHalf += static_cast<char>(byte);
        for (int byte = 0xC0; byte <= 0xFF; ++byte) secondHalf += static_cast<char>(byte);
        const std::string list = kStamp + recordSection({{firstHalf, secondHalf, "01/01/2000", "", ""}});
        WindowRig merged(dataFileOf({kJean}));
        merge(merged, listFile(merged, "windows.txt", list));
        QCOMPARE(merged.storedRecords()[1], (store::BirthdayRecord{firstHalf, secondHalf, "01/01/2000", "", ""}));
        QVERIFY(merged.dialogs.messages().isEmpty());

        WindowRig opened(dataFileOf({kJean}));
        open(opened, listFile(opened, "windows.txt", list));
        QCOMPARE(pendingBytes(opened), list);
        QVERIFY(opened.dialogs.messages().isEmpty());
    }

    void aListSavedAsUtf8IsConvertedAndTheUserIsTold() {
        const QString told = QStringLiteral(
            "Information|Ce fichier était enregistré en UTF-8 : ses lettres "
            "accentuées ont été converties pour Velorine.");
        const std::string utf8 =
            "\xEF\xBB\xBF[Controle]\r\nVersion=2.0\r\n[Velorine]\r\n"
            "Nom1=Lef\xC3\xA8vre\r\nPren1=H\xC3\xA9l\xC3\xA8ne\r\nDate1=16/08/1990\r\n"
            "Adress1=C\xC5\x93ur \xE2\x82\xAC\r\n";
        const store::BirthdayRecord helene{"Lef\xE8vre", "H\xE9l\xE8ne", "16/08/1990", "C\x9Cur \x80", ""};
        WindowRig merged(dataFileOf({kJean}));
        merge(merged, listFile(merged, "utf8.txt", utf8));
        QCOMPARE(merged.storedRecords()[1], helene);
        QCOMPARE(merged.dialogs.messages(), QStringList({told}));

        WindowRig opened(dataFileOf({kJean}));
        open(opened, listFile(opened, "utf8.txt", utf8));
        QCOMPARE(opened.dialogs.messages(), QStringList({told}));
        NextRun next(opened, StartUp::RunHere);
        QCOMPARE(next.column(1), QStringList({"Hélène"}));
        QCOMPARE(next.column(3), QStringList({"Cœur €"}));
    }

    void aUtf8ListWithCharactersWindows1252LacksIsTakenAsItIs() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string list = kStamp + "[Velorine]\r\nNom1=\xC5\x81ukasz\r\nPren1=Jan\r\n";
        merge(rig, listFile(rig, "polonais.txt", list));
        QCOMPARE(rig.storedRecords()[1].surname, std::string("\xC5\x81ukasz"));
        QVERIFY(rig.dialogs.messages().isEmpty());
    }

    void controlBytesOfAListNeverReachTheDataFile() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string list = kStamp + "[Velorine]\r\n" + std::string("Nom1=Bin\0aire\r\n", 15) +
                                 "Pren1=A\x01"
                                 "B\x1B"
                                 "C\tD\r\nDate1=01/01/2000\r\n";
        merge(rig, listFile(rig, "binaire.txt", list));
        QCOMPARE(rig.storedRecords()[1].surname, std::string("Bin"));
        QCOMPARE(rig.storedRecords()[1].firstName, std::string("A B C\tD"));
        const std::string data = rig.dataFileBytes();
        QVERIFY(std::none_of(data.begin(), data.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
        }));
    }

    void absurdRecordsAreMergedAsTheyAreAndShownSafely() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string longName(10000, 'x');
        merge(rig, listFile(rig, "absurde.txt",
                            kStamp + recordSection({{longName, longName, "99/99/99999", longName, longName},
                                                    {"Sans", "Date", "", "", ""},
                                                    {"Moins", "Un", "-1/-1/-1", "", ""},
                                                    {"Trente", "Et un", "31/02/2021", "", ""},
                                                    {"Lettres", "Seules", "ab/cd/efgh", "", ""}})));
        QCOMPARE(rig.storedRecords().size(), std::size_t{6});
        QCOMPARE(rig.storedRecords()[1].surname, std::string(127, 'x'));

        NextRun next(rig, StartUp::RunHere);
        QCOMPARE(next.list().model()->rowCount(), 6);
        QLabel& info = *next.form().findChild<QLabel*>("Label2");
        for (int row = 0; row < 6; ++row) {
            next.list().setCurrentIndex(next.list().model()->index(row, 0));
            QVERIFY(!info.text().isEmpty());
        }
        next.list().header()->sectionClicked(2);  // sorted by birth date, unreadable ones included
        QCOMPARE(next.column(2).size(), 6);
    }

    void aMergeThatCannotBeWrittenSaysSoAndStaysOpen() {
        WindowRig rig(dataFileOf({kJean}));
        const std::string before = rig.dataFileBytes();
        QCOMPARE(::chmod(rig.context.startup.dataFilePath.c_str(), 0444), 0);
        merge(rig, listFile(rig, "liste.txt", dataFileOf({kAnne})));
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY(rig.dialogs.messages()[0].startsWith("Problème|Les Velorine n'ont pas pu être ajoutés au fichier :\n"));
        QVERIFY(
            rig.dialogs.messages()[0].endsWith("\n\nCe fichier est en lecture seule : autorisez son écriture, "
                                               "puis recommencez."));
        checkUntouched(rig, before);
    }

    void mergeSavesTheLayoutBeforeTheNextRunReadsIt() {
        WindowRig rig(dataFileOf({kJean}));
        rig.list().setColumnWidth(4, 33);
        std::string widthAtRestart;
        rig.dialogs.whenProgramStarts = [&] { widthAtRestart = stored(rig, "Fenetre", "Largeur4"); };
        merge(rig, listFile(rig, "liste.txt", dataFileOf({kAnne})));
        QCOMPARE(widthAtRestart, std::string("33"));
        NextRun next(rig, StartUp::RunHere);
        QCOMPARE(next.list().columnWidth(4), 33);
    }
};

QTEST_MAIN(ExchangeTest)
#include "exchange_test.moc"
