// The address book online from the list window: the dialog of the Fichier menu against a real
// Radicale (the trial, the books found, a certificate trusted by its fingerprint), what OK keeps
// and where (velorine.conf, the keyring), the sync and its summary, and the sync in the background
// when the window opens. Run under tests/carddav/with_keyring.sh for the keyring; the case without
// one runs on its own, on a bus that does not exist.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "carddav/keyring.h"
#include "carddav/online_settings.h"
#include "radicale_server.h"
#include "test_servers.h"
#include "ui/main/contacts_dialogs.h"
#include "ui/main/online_book_dialog.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;
using carddav::testing::kPassword;
using carddav::testing::kUser;
using carddav::testing::Phone;
using carddav::testing::RadicaleServer;
using carddav::testing::vcardOf;

namespace {

void saveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(VELORINE_SCREENSHOT_DIR);
    QVERIFY(window.grab().toImage().save(QStringLiteral(VELORINE_SCREENSHOT_DIR "/") + name));
}

template <class Widget>
Widget& in(QWidget& parent, const char* name) {
    auto* found = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!found) qFatal("no %s", name);
    return *found;
}

OnlineBookDialog& onlineDialog(WindowRig& rig) { return in<OnlineBookDialog>(rig.form(), "CarnetEnLigne"); }

void typeAccount(OnlineBookDialog& dialog, const QUrl& address, const QString& password) {
    in<QLineEdit>(dialog, "EditAdresse").setText(address.toString());
    in<QLineEdit>(dialog, "EditUtilisateur").setText(kUser);
    typeInto(in<QLineEdit>(dialog, "EditMotDePasse"), password);
}

// Clicks "Essayer" and waits for its result; the text shown.
QString tryIt(OnlineBookDialog& dialog) {
    auto& result = in<QLabel>(dialog, "LabelResultat");
    QTest::mouseClick(&in<QPushButton>(dialog, "BoutonEssayer"), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return in<QPushButton>(dialog, "BoutonEssayer").isEnabled(); }, 20000))
        return QStringLiteral("(pas de réponse)");
    return result.text();
}

void pressOk(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Waits for the summary of a sync the user asked for; its text, empty when none came.
QString summaryOf(WindowRig& rig) {
    auto& summary = in<ImportSummaryDialog>(rig.form(), "ResumeSynchronisation");
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &summary, [&] {
        if (!summary.isVisible() || !text.isEmpty()) return;
        text = summary.summaryText();
        saveScreenshot(summary, QStringLiteral("online_book_summary.png"));
        summary.accept();
    });
    poll.start(20);
    return QTest::qWaitFor([&] { return !text.isEmpty(); }, 20000) ? text : QString();
}

}  // namespace

class OnlineBookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        server_ = std::make_unique<RadicaleServer>();
        Phone phone(server_->url(), kUser, kPassword);
        QCOMPARE(phone.createBook(QStringLiteral("/alice/amis/"), QStringLiteral("Amis")), 201);
        QCOMPARE(phone.put(QStringLiteral("/alice/amis/jean.vcf"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")),
                 201);
        QCOMPARE(phone.put(QStringLiteral("/alice/amis/x.vcf"), vcardOf("x", "Sans", "Date", "")), 201);
    }

    void theDialogFindsTheBooksKeepsTheAccountAndSyncs() {
        if (carddav::lookUpPassword("x", "y").state == carddav::KeyringState::Unavailable)
            QSKIP("needs a keyring: run under with_keyring.sh");
        WindowRig rig;
        OnlineBookDialog& dialog = onlineDialog(rig);
        QString found;
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("CarnetEnLigne1").trigger(); },
            [&] {
                typeAccount(dialog, server_->url(), kPassword);
                found = tryIt(dialog);
                saveScreenshot(dialog, QStringLiteral("online_book_dialog.png"));
                pressOk(dialog);
            }));
        QCOMPARE(found, QStringLiteral("« 1 carnet, 2 contacts dont 1 avec un anniversaire »"));
        const QString summary = summaryOf(rig);
        QVERIFY2(summary.contains(QStringLiteral("personnes ajoutées à la liste : 1")), qPrintable(summary));
        QCOMPARE(rig.column(0), QStringList{QStringLiteral("Dupont")});

        const carddav::OnlineSettings kept = carddav::readOnlineSettings(rig.context.configFilePath);
        const std::string book = server_->url(QStringLiteral("/alice/amis/")).toString().toStdString();
        QCOMPARE(kept, (carddav::OnlineSettings{server_->url().toString().toStdString(), "alice", {book}, {}}));
        QCOMPARE(carddav::lookUpPassword(kept.address, kept.user).password, kPassword.toStdString());
        QVERIFY(readBytes(rig.context.configFilePath).find(kPassword.toStdString()) == std::string::npos);
        QVERIFY(rig.dataFileBytes().find(kPassword.toStdString()) == std::string::npos);
    }

    void theWindowSyncsInTheBackgroundWhenItOpens() {
        if (carddav::lookUpPassword("x", "y").state == carddav::KeyringState::Unavailable)
            QSKIP("needs a keyring: run under with_keyring.sh");
        const std::string book = server_->url(QStringLiteral("/alice/amis/")).toString().toStdString();
        QVERIFY(carddav::storePassword(book, "alice", kPassword.toStdString()));
        RigSetup setup;
        setup.configFile = "[CarnetEnLigne]\r\nAdresse=" + book + "\r\nUtilisateur=alice\r\nCarnet1=" + book + "\r\n";
        server_->pause();  // the server answers only when the window is there and usable
        WindowRig rig(setup);
        QVERIFY(rig.column(0).isEmpty());
        // The window answers its commands meanwhile.
        QVERIFY(whileShown(
            rig.scheduleDialog(), [&] { rig.control<QAction>("Programmation1").trigger(); }, [] {}));
        server_->resume();
        QTRY_COMPARE_WITH_TIMEOUT(rig.column(0), QStringList{QStringLiteral("Dupont")}, 20000);
        QVERIFY(rig.dialogs.calls.empty());  // nothing to say
    }

    void aCertificateIsTrustedByItsFingerprint() {
        QTemporaryDir directory;
        const carddav::testing::TestCertificate certificate =
            carddav::testing::makeCertificate(directory.path().toStdString());
        const RadicaleServer::Tls tls{certificate.certificate, certificate.key};
        RadicaleServer secure(&tls);
        Phone phone(secure.url(), kUser, kPassword);
        QCOMPARE(phone.createBook(QStringLiteral("/alice/amis/"), QStringLiteral("Amis")), 201);

        WindowRig rig;
        OnlineBookDialog& dialog = onlineDialog(rig);
        QString refused;
        QString accepted;
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("CarnetEnLigne1").trigger(); },
            [&] {
                typeAccount(dialog, secure.url(QStringLiteral("/alice/amis/")), kPassword);
                refused = tryIt(dialog);
                auto& trust = in<QCheckBox>(dialog, "CaseCertificat");
                QVERIFY(trust.isVisible());
                QVERIFY(trust.text().contains(QString::fromStdString(certificate.fingerprint.substr(0, 47))));
                saveScreenshot(dialog, QStringLiteral("online_book_certificate.png"));
                trust.click();
                accepted = tryIt(dialog);
                pressOk(dialog);
            }));
        QVERIFY2(refused.startsWith(QStringLiteral("Le certificat du serveur « 127.0.0.1 » n'est pas reconnu : il est "
                                                   "signé par lui-même (auto-signé)")),
                 qPrintable(refused));
        QCOMPARE(accepted, QStringLiteral("« 1 carnet, 0 contact dont 0 avec un anniversaire »"));
        QCOMPARE(carddav::readOnlineSettings(rig.context.configFilePath).fingerprint, certificate.fingerprint);
        summaryOf(rig);
    }

    void aFailedSyncIsToldAndTheListStaysAsItWas() {
        const std::string book = server_->url(QStringLiteral("/alice/amis/")).toString().toStdString();
        WindowRig rig(std::string("[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\n"));
        OnlineBookDialog& dialog = onlineDialog(rig);
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("CarnetEnLigne1").trigger(); },
            [&] {
                typeAccount(dialog, QUrl(QString::fromStdString(book)), QStringLiteral("faux"));
                pressOk(dialog);
            }));
        QVERIFY(QTest::qWaitFor([&] { return !rig.dialogs.messages().isEmpty(); }, 20000));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList{QStringLiteral("Problème|La synchronisation avec le carnet d'adresses en ligne a échoué : "
                                            "le serveur « 127.0.0.1 » refuse ce nom d'utilisateur ou ce mot de passe."
                                            "\n\nLa liste est restée telle quelle.")});
        QCOMPARE(rig.column(0), QStringList{QStringLiteral("Roy")});
    }

    // Runs alone, on a session bus that does not exist (the ctest "ui.online_book_without_keyring").
    void withoutAKeyringThePasswordIsAskedAtEachSync() {
        if (carddav::lookUpPassword("x", "y").state != carddav::KeyringState::Unavailable)
            QSKIP("a keyring answers here");
        WindowRig rig;
        OnlineBookDialog& dialog = onlineDialog(rig);
        QString keyring;
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("CarnetEnLigne1").trigger(); },
            [&] {
                keyring = in<QLabel>(dialog, "LabelTrousseau").text();
                typeAccount(dialog, server_->url(QStringLiteral("/alice/amis/")), kPassword);
                QVERIFY(tryIt(dialog).startsWith(QStringLiteral("« 1 carnet")));
                saveScreenshot(dialog, QStringLiteral("online_book_without_keyring.png"));
                pressOk(dialog);
            }));
        QCOMPARE(keyring, QString::fromUtf8(carddav::kNoKeyringText));
        QVERIFY(summaryOf(rig).contains(QStringLiteral("personnes ajoutées à la liste : 1")));
        // The next time, no password is kept: OK without one is refused with a word.
        QVERIFY(whileShown(
            dialog, [&] { rig.control<QAction>("CarnetEnLigne1").trigger(); }, [&] { pressOk(dialog); }));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList{QStringLiteral("Attention|Donnez le mot de passe du carnet d'adresses en ligne : sans lui "
                                            "la liste ne peut pas être synchronisée.")});
    }

    void cleanupTestCase() { server_.reset(); }

private:
    std::unique_ptr<RadicaleServer> server_;
};

QTEST_MAIN(OnlineBookTest)
#include "online_book_test.moc"
