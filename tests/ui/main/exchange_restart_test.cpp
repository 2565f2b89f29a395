// End to end: after open or merge, the hand-over starts the real velorine program, without
// argument, on the same data directory, at the moment the main window asks for it. Once that
// program has been through its start-up, the main window built on the data file it left lists the
// new records.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

#include "next_run.h"
#include "store/data_file.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

constexpr int kStartUpTimeoutMs = 20000;

// The real program, started the way the hand-over starts it: with the arguments the window asked
// for, in a private home whose configuration names the rig's data directory. It runs offscreen
// until the test is done with it.
class RealProgram {
public:
    explicit RealProgram(WindowRig& rig) {
        const QString home = rig.directory.filePath("home");
        QDir().mkpath(home + "/config/velorine");
        writeBytes(QFile::encodeName(home + "/config/velorine/velorine.conf").toStdString(),
                   "[Velorine]\r\nDataPath=" + rig.context.startup.dataDirectory + "\r\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home);
        environment.insert("XDG_CONFIG_HOME", home + "/config");
        environment.insert("XDG_DATA_HOME", home + "/data");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        rig.dialogs.whenProgramStarts = [this, &rig] {
            process_.start(QStringLiteral(VELORINE_BINARY), rig.dialogs.calls.back().arguments);
        };
    }
    ~RealProgram() {
        process_.kill();
        process_.waitForFinished();
    }
    bool running() const { return process_.state() != QProcess::NotRunning; }

private:
    QProcess process_;
};

std::string recordsKey(WindowRig& rig, const std::string& key) {
    return store::readValue(rig.context.startup.dataFilePath, "Velorine", key, "absent", 128);
}

bool pendingFileTaken(WindowRig& rig) {
    return !QFile::exists(QString::fromStdString(rig.context.startup.pendingFilePath)) &&
           store::readValue(rig.context.startup.dataFilePath, "Controle", "Version", "", 16) == "2.0";
}

void chooseAndConfirm(WindowRig& rig, const char* command, const std::string& listBytes) {
    const QString list = rig.directory.filePath("liste.txt");
    writeBytes(QFile::encodeName(list).toStdString(), listBytes);
    rig.dialogs.answers = {true};
    rig.dialogs.chosenFiles = {list};
    rig.control<QAction>(command).trigger();
}

}  // namespace

class ExchangeRestartTest : public QObject {
    Q_OBJECT

private slots:
    void theProgramStartedAfterAnOpenShowsTheOpenedList() {
        WindowRig rig("[Controle]\r\nVersion=2.0\r\n" + recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}}));
        RealProgram program(rig);
        // A list of the previous version, saved on Windows: stamped "1.0", Windows-1252, a hole.
        chooseAndConfirm(rig, "Ouvrir1",
                         "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=C\x9C"
                         "ur\r\nPren1=Fran\xE7oise\r\n"
                         "Date1=14/07/1989\r\nAdress1=\r\nEmail1=co\xFBt \x80\r\nNom2=\r\n"
                         "Nom3=L\xE9ger\r\nPren3=No\xEBl\r\nDate3=25/12/1962\r\n");
        QVERIFY(program.running());
        QVERIFY(!rig.form().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(pendingFileTaken(rig) && recordsKey(rig, "Nom3") == "absent", kStartUpTimeoutMs);
        QVERIFY(program.running());  // on to its main window

        NextRun next(rig, StartUp::AlreadyRun);
        QCOMPARE(next.column(0), QStringList({"Cœur", "Léger"}));
        QCOMPARE(next.column(1), QStringList({"Françoise", "Noël"}));
        QCOMPARE(next.column(4), QStringList({"coût €", ""}));
    }

    void theProgramStartedAfterAMergeShowsTheEnlargedList() {
        // Slots 2, 4 and 5 are holes: the merge fills 2, the next start-up compacts the rest away.
        WindowRig rig(
            "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Dupont\r\nPren1=Jean\r\nDate1=10/03/1990\r\n"
            "Nom2=\r\nNom3=Martin\r\nPren3=Anne\r\nDate3=21/06/1985\r\nNom4=\r\nNom5=\r\n");
        RealProgram program(rig);
        chooseAndConfirm(rig, "Fusionner1",
                         "[Controle]\r\nVersion=2.0\r\n" + recordSection({{"Petit", "L\xE9on", "29/02/2000", "", ""},
                                                                          {"Martin", "Anne", "21/06/1985", "", ""}}));
        QVERIFY(program.running());
        QVERIFY(!rig.form().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(recordsKey(rig, "Nom5") == "absent", kStartUpTimeoutMs);
        QCOMPARE(recordsKey(rig, "Nom4"), std::string("Martin"));

        NextRun next(rig, StartUp::AlreadyRun);
        QCOMPARE(next.column(0), QStringList({"Dupont", "Martin", "Martin", "Petit"}));
        QCOMPARE(next.column(1), QStringList({"Jean", "Anne", "Anne", "Léon"}));
    }
};

QTEST_MAIN(ExchangeRestartTest)
#include "exchange_restart_test.moc"
