// The previous-version recovery in the program's dialogs, and end to end: a start-up whose question
// is answered Yes hands over to the real velorine program, started without argument on the same
// home, and the main window built on the data file that program took in lists the old records.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "app/startup.h"
#include "next_run.h"
#include "store/data_file.h"
#include "ui/user_dialogs.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

constexpr int kStartUpTimeoutMs = 20000;

// The previous version's list as a copy from a Windows disk leaves it: a name in lower case,
// Windows-1252 texts, a hole.
const std::string kOldList =
    "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=C\x9C"
    "ur\r\nPren1=Fran\xE7oise\r\nDate1=14/07/1989\r\n"
    "Adress1=\r\nEmail1=\r\nNom2=\r\nNom3=L\xE9ger\r\nPren3=No\xEBl\r\nDate3=25/12/1962\r\n";
const std::string kCurrentList =
    "[Controle]\r\nVersion=2.0\r\n" + recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}});

// A private home as the real program sees it through its XDG variables.
struct Home {
    QTemporaryDir directory;
    std::string path(const char* name) const { return directory.filePath(name).toStdString(); }
    std::string configFile() const { return path("config/velorine/velorine.conf"); }
    std::string dataFile() const { return path("data/velor.ini"); }
    std::string pendingFile() const { return path("data/velor.ouv"); }

    Home() {
        for (const char* sub : {"config/velorine", "data", "ancien", "installation"})
            QDir().mkpath(directory.filePath(sub));
        writeBytes(configFile(), "[Velorine]\r\nDataPath=" + path("data") + "\r\nInstallPath=" + path("installation") +
                                     "\r\n[VersionPrecedente]\r\nPath=" + path("ancien") + "\r\n");
        writeBytes(path("ancien/velor.ini"), kOldList);
        writeBytes(dataFile(), kCurrentList);
    }

    QProcessEnvironment processEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", directory.path());
        environment.insert("XDG_CONFIG_HOME", directory.filePath("config"));
        environment.insert("XDG_DATA_HOME", directory.filePath("elsewhere"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }

    app::StartupEnvironment startupEnvironment() const {
        app::StartupEnvironment environment;
        environment.configFile = configFile();
        environment.defaultDataDirectory = path("elsewhere");
        environment.executableDirectory = path("installation");
        environment.today = [] { return kToday; };
        return environment;
    }

    std::string flag() const { return store::readValue(configFile(), "Recuperation", "RecupV10", "absent", 256); }
};

bool oldListTakenIn(const Home& home) {
    return !QFile::exists(QString::fromStdString(home.pendingFile())) &&
           store::readValue(home.dataFile(), "Controle", "Version", "", 16) == "2.0" &&
           store::readValue(home.dataFile(), "Velorine", "Nom3", "absent", 128) == "absent";
}

}  // namespace

class RecoveryRestartTest : public QObject {
    Q_OBJECT

private slots:
    void theQuestionAndTheFailureAreTheProgramsOwnWindows() {
        RecordingDialogs dialogs;
        int prepared = 0;
        const app::RecoveryDialogs recovery = recoveryDialogs(dialogs, [&prepared] { ++prepared; });
        dialogs.answers = {true};
        QVERIFY(recovery.askToRecover());
        recovery.tellRecoveryFailed(store::Failure::AlreadyExists, "/home/a/velorine/velor.ouv");
        QVERIFY(recovery.restartProgram());
        QCOMPARE(prepared, 3);

        QCOMPARE(dialogs.calls.size(), std::size_t(3));
        const DialogCall& question = dialogs.calls[0];
        QCOMPARE(question.kind, DialogCall::Question);
        QCOMPARE(question.title, QString("ATTENTION"));
        QCOMPARE(question.text, QString("Voulez-vous récupérer les Velorine que vous avez créé dans la "
                                        "précédente version d'Velorine ?\n\n(Vous pourrez ensuite "
                                        "désinstaller votre précédente version d'Velorine)"));
        QCOMPARE(dialogs.messages(),
                 QStringList("Problème|La récupération a échoué !\n/home/a/velorine/velor.ouv : une liste attend déjà "
                             "d'être reprise au prochain démarrage du programme.\n\nCorrigez le problème et "
                             "recommencez..."));
        QCOMPARE(dialogs.calls[1].icon, MessageIcon::Error);
        QCOMPARE(dialogs.calls[2].kind, DialogCall::Program);
        QVERIFY(dialogs.calls[2].arguments.isEmpty());
    }

    void yesHandsTheOldListToTheRealProgramWhichShowsIt() {
        Home home;
        RecordingDialogs dialogs;
        dialogs.answers = {true};
        std::string pendingAtRestart, dataAtRestart, flagAtRestart;
        QProcess program;
        program.setProcessEnvironment(home.processEnvironment());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        dialogs.whenProgramStarts = [&] {
            pendingAtRestart = readBytes(home.pendingFile());
            dataAtRestart = readBytes(home.dataFile());
            flagAtRestart = home.flag();
            program.start(QStringLiteral(VELORINE_BINARY), dialogs.calls.back().arguments);
        };
        app::StartupEnvironment environment = home.startupEnvironment();
        environment.recovery = recoveryDialogs(dialogs, [] {});

        const app::StartupOutcome outcome = app::runStartup(environment);
        QVERIFY(outcome.endsRun && outcome.restarted);
        QCOMPARE(outcome.exitStatus, 0);
        QCOMPARE(dialogs.callsOf(DialogCall::Question).size(), std::size_t(1));
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(pendingAtRestart, kOldList);
        QCOMPARE(dataAtRestart, kCurrentList);
        QCOMPARE(flagAtRestart, std::string("1"));

        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(oldListTakenIn(home), kStartUpTimeoutMs);
        QVERIFY(program.state() == QProcess::Running);  // on to its main window, with no question
        QCOMPARE(home.flag(), std::string("1"));
        QCOMPARE(readBytes(home.path("ancien/velor.ini")), kOldList);

        NextRun next(outcome.state, home.configFile(), dialogs);
        QCOMPARE(next.column(0), QStringList({"Cœur", "Léger"}));
        QCOMPARE(next.column(1), QStringList({"Françoise", "Noël"}));
        program.kill();
        program.waitForFinished();
    }
};

QTEST_MAIN(RecoveryRestartTest)
#include "recovery_restart_test.moc"
