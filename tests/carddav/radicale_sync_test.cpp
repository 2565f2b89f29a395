// Syncs against a real Radicale on 127.0.0.1, its cards put there over HTTP as a phone does:
// discovery, a first sync of 500 cards, the phone's changes reaching the list, an unchanged book in
// one request, a forgotten sync token, two syncs at once, a wrong password, a server down, and TLS
// with a certificate refused until the user accepts its fingerprint.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "carddav/sync_state.h"
#include "carddav/sync_summary.h"
#include "carddav/synchronisation.h"
#include "radicale_server.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"
#include "test_servers.h"

namespace velorine::store {
void PrintTo(const BirthdayRecord& r, std::ostream* out) {
    *out << r.surname << "|" << r.firstName << "|" << r.birthDate << "|" << r.address << "|" << r.email;
}
}  // namespace velorine::store

namespace velorine::carddav {
namespace {

using namespace carddav::testing;
using velorine::testing::fileInode;
using velorine::testing::readFile;
using velorine::testing::TempDir;
using velorine::testing::writeFile;

constexpr store::CalendarDate kToday{9, 12, 2026};

class RadicaleSyncTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new RadicaleServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        book_ = QStringLiteral("/alice/%1/").arg(QString::fromStdString(name).toLower());
        ASSERT_EQ(phone_.createBook(book_, QStringLiteral("Amis")), 201);
    }

    // The account at `path`; as the dialog keeps it after a trial, with the book chosen.
    OnlineSettings settings(const QString& path, const QString& user = kUser) const {
        const std::string address = server_->url(path).toString().toStdString();
        return {address, user.toStdString(), {address}, {}};
    }
    SyncOutcome sync(const OnlineSettings& settings, const QString& password = kPassword) {
        return synchronise({file_, settings, password.toStdString(), kToday, {}, nullptr});
    }
    SyncOutcome syncBook() { return sync(settings(book_)); }
    std::vector<store::BirthdayRecord> people() const { return store::RecordStore(file_).readAll(); }
    QString card(const char* name) const { return book_ + QString::fromLatin1(name) + QStringLiteral(".vcf"); }

    static RadicaleServer* server_;
    TempDir dir_;
    std::string file_ = dir_.file("velor.ini");
    Phone phone_{server_->url(), kUser, kPassword};
    QString book_;
};

RadicaleServer* RadicaleSyncTest::server_ = nullptr;

TEST_F(RadicaleSyncTest, DiscoveryFindsTheBooksFromTheServerThePrincipalOrTheBookItself) {
    Phone bob(server_->url(), QStringLiteral("bob"), QStringLiteral("autre"));
    ASSERT_EQ(bob.createBook(QStringLiteral("/bob/amis/"), QStringLiteral("Amis")), 201);
    ASSERT_EQ(bob.createBook(QStringLiteral("/bob/famille/"), QStringLiteral("Famille")), 201);
    ASSERT_EQ(bob.put(QStringLiteral("/bob/amis/a.vcf"), vcardOf("a", "Roy", "Eva", "1990-01-01")), 201);
    ASSERT_EQ(bob.put(QStringLiteral("/bob/amis/b.vcf"), vcardOf("b", "Sans", "Date", "")), 201);
    ASSERT_EQ(bob.put(QStringLiteral("/bob/famille/c.vcf"), vcardOf("c", "Roy", "Luc", "2010-06-30")), 201);

    for (const QString& path : {QStringLiteral("/"), QStringLiteral("/bob/")}) {
        const Trial trial = tryAccount(settings(path, QStringLiteral("bob")), "autre", kToday, {});
        ASSERT_FALSE(trial.failure) << trial.failure->reason;
        EXPECT_EQ(trialText(trial), "2 carnets, 3 contacts dont 2 avec un anniversaire") << path.toStdString();
        ASSERT_EQ(trial.books.size(), 2u);
        EXPECT_EQ(trial.books[0].name, "Amis");
        EXPECT_EQ(trial.books[1].name, "Famille");
        EXPECT_EQ(trial.books[1].address, server_->url(QStringLiteral("/bob/famille/")).toString().toStdString());
    }
    const Trial one = tryAccount(settings(QStringLiteral("/bob/famille/"), QStringLiteral("bob")), "autre", kToday, {});
    EXPECT_EQ(trialText(one), "1 carnet, 1 contact dont 1 avec un anniversaire");
}

TEST_F(RadicaleSyncTest, FirstSyncOfFiveHundredCards) {
    std::vector<std::string> cards;
    for (int i = 0; i < 500; ++i)
        cards.push_back(vcardOf("u" + std::to_string(i), "Nom" + std::to_string(i), "Prénom",
                                i % 10 == 9 ? "" : "1980-02-" + std::to_string(10 + i % 18)));
    phone_.remove(book_);
    ASSERT_EQ(phone_.putBook(book_, cards), 201);
    const SyncOutcome outcome = syncBook();
    ASSERT_FALSE(outcome.failure) << outcome.failure->reason;
    EXPECT_TRUE(outcome.report->stored);
    EXPECT_EQ(outcome.report->added, 450);
    EXPECT_EQ(outcome.report->withoutBirthday, 50);
    EXPECT_EQ(people().size(), 450u);
    EXPECT_EQ(outcome.requests, 1 + 5);  // the listing, then the cards a hundred at a time
}

TEST_F(RadicaleSyncTest, ThePhonesChangesReachTheList) {
    ASSERT_EQ(phone_.put(card("jean"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")), 201);
    ASSERT_EQ(phone_.put(card("marie"), vcardOf("marie", "Curie", "Marie", "1967-11-07")), 201);
    ASSERT_EQ(phone_.put(card("paul"), vcardOf("paul", "Martin", "Paul", "1955-05-05")), 201);
    ASSERT_EQ(syncBook().report->added, 3);

    ASSERT_EQ(phone_.put(card("jean"), vcardOf("jean", "Dupont", "Jean", "1990-03-12")), 201);               // birthday
    ASSERT_EQ(phone_.put(card("marie"), vcardOf("marie", "Skłodowska-Curie", "Marie", "1967-11-07")), 201);  // renamed
    ASSERT_EQ(phone_.put(card("lucie"), vcardOf("lucie", "Morel", "Lucie", "2001-08-15")), 201);             // new
    ASSERT_EQ(phone_.remove(card("paul")), 200);                                                             // deleted
    const SyncOutcome outcome = syncBook();
    ASSERT_FALSE(outcome.failure) << outcome.failure->reason;
    const SyncReport& report = *outcome.report;
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(report.updated, 2);
    EXPECT_EQ(report.removedPeople, std::vector<std::string>{"Paul Martin"});
    std::vector<store::BirthdayRecord> now = people();
    std::sort(now.begin(), now.end(), [](const auto& a, const auto& b) { return a.surname < b.surname; });
    EXPECT_EQ(now, (std::vector<store::BirthdayRecord>{{"Dupont", "Jean", "12/03/1990", "", ""},
                                                       {"Martin", "Paul", "05/05/1955", "", ""},
                                                       {"Morel", "Lucie", "15/08/2001", "", ""},
                                                       {"Sklodowska-Curie", "Marie", "07/11/1967", "", ""}}));
    const std::string summary = syncSummary(report);
    EXPECT_NE(summary.find("Mises à jour :\n  Jean Dupont\n  Marie Skłodowska-Curie\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Retirées du carnet, gardées dans la liste :\n  Paul Martin\n"), std::string::npos);
}

TEST_F(RadicaleSyncTest, AnUnchangedBookCostsOneRequestAndWritesNothing) {
    ASSERT_EQ(phone_.put(card("jean"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")), 201);
    ASSERT_FALSE(syncBook().failure);
    const std::string before = readFile(file_);
    const unsigned long inode = fileInode(file_);
    const SyncOutcome again = syncBook();
    ASSERT_FALSE(again.failure) << again.failure->reason;
    EXPECT_EQ(again.requests, 1);
    EXPECT_EQ(syncSummary(*again.report), "Carnet d'adresses en ligne : rien de nouveau, la liste est à jour.\n");
    EXPECT_EQ(readFile(file_), before);
    EXPECT_EQ(fileInode(file_), inode);  // not even replaced by the same bytes
}

TEST_F(RadicaleSyncTest, AForgottenSyncTokenReadsTheWholeBookAgain) {
    ASSERT_EQ(phone_.put(card("jean"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")), 201);
    ASSERT_EQ(phone_.put(card("paul"), vcardOf("paul", "Martin", "Paul", "1955-05-05")), 201);
    ASSERT_FALSE(syncBook().failure);
    std::string bytes = readFile(file_);
    const std::size_t token = bytes.find("http://radicale.org/ns/sync/");
    ASSERT_NE(token, std::string::npos);
    bytes.replace(token + 28, 64, std::string(64, '0'));
    writeFile(file_, bytes);
    ASSERT_EQ(phone_.remove(card("paul")), 200);
    const SyncOutcome outcome = syncBook();
    ASSERT_FALSE(outcome.failure) << outcome.failure->reason;
    EXPECT_EQ(outcome.requests, 2);  // refused token, then the whole listing; Jean is not read again
    EXPECT_EQ(outcome.report->added, 0);
    EXPECT_EQ(outcome.report->removedPeople, std::vector<std::string>{"Paul Martin"});
    EXPECT_EQ(people().size(), 2u);
}

TEST_F(RadicaleSyncTest, TwoSyncsAtOnceAddNoOneTwice) {
    std::vector<std::string> cards;
    for (int i = 0; i < 150; ++i)
        cards.push_back(vcardOf("u" + std::to_string(i), "Nom" + std::to_string(i), "Eva", "1999-09-09"));
    phone_.remove(book_);
    ASSERT_EQ(phone_.putBook(book_, cards), 201);
    SyncOutcome window;
    SyncOutcome logon;
    std::thread first([&] { window = syncBook(); });
    std::thread second([&] { logon = syncBook(); });
    first.join();
    second.join();
    ASSERT_FALSE(window.failure || logon.failure);
    EXPECT_EQ(window.report->added + logon.report->added, 150);
    EXPECT_EQ(people().size(), 150u);
}

TEST_F(RadicaleSyncTest, AWrongPasswordOrAServerDownLeavesTheListAsItWas) {
    writeFile(file_, "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\n");
    ASSERT_EQ(phone_.put(card("jean"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")), 201);
    const SyncOutcome refused = sync(settings(book_), QStringLiteral("faux"));
    ASSERT_TRUE(refused.failure);
    EXPECT_EQ(refused.failure->kind, FailureKind::Authentication);
    EXPECT_EQ(refused.failure->reason, "le serveur « 127.0.0.1 » refuse ce nom d'utilisateur ou ce mot de passe");
    EXPECT_EQ(readSyncState(store::snapshot(file_)).failure, refused.failure->reason);

    OnlineSettings down = settings(book_);
    down.address = "http://127.0.0.1:" + std::to_string(freePort()) + "/alice/amis/";
    down.books = {down.address};
    const SyncOutcome unreachable = sync(down);
    ASSERT_TRUE(unreachable.failure);
    EXPECT_EQ(unreachable.failure->kind, FailureKind::Unreachable);
    EXPECT_NE(unreachable.failure->reason.find("refuse la connexion"), std::string::npos);
    EXPECT_EQ(people(), (std::vector<store::BirthdayRecord>{{"Roy", "Eva", "01/01/1990", "", ""}}));
}

TEST(RadicaleTlsTest, ASelfSignedCertificateIsRefusedUntilItsFingerprintIsAccepted) {
    TempDir dir;
    const TestCertificate certificate = makeCertificate(dir.path());
    const RadicaleServer::Tls tls{certificate.certificate, certificate.key};
    RadicaleServer server(&tls);
    Phone phone(server.url(), kUser, kPassword);
    ASSERT_EQ(phone.createBook(QStringLiteral("/alice/amis/"), QStringLiteral("Amis")), 201);
    ASSERT_EQ(phone.put(QStringLiteral("/alice/amis/j.vcf"), vcardOf("j", "Dupont", "Jean", "1990-03-10")), 201);
    const std::string file = dir.file("velor.ini");
    OnlineSettings settings{server.url().toString().toStdString(), kUser.toStdString(), {}, {}};
    const auto sync = [&] { return synchronise({file, settings, kPassword.toStdString(), kToday, {}, nullptr}); };

    const SyncOutcome refused = sync();
    ASSERT_TRUE(refused.failure);
    EXPECT_EQ(refused.failure->kind, FailureKind::Certificate);
    EXPECT_EQ(refused.failure->fingerprint, certificate.fingerprint);
    EXPECT_NE(refused.failure->reason.find("auto-signé"), std::string::npos) << refused.failure->reason;
    EXPECT_NE(refused.failure->reason.find(certificate.fingerprint), std::string::npos);

    TempDir other;
    settings.fingerprint = makeCertificate(other.path()).fingerprint;  // another certificate's
    EXPECT_EQ(sync().failure->kind, FailureKind::Certificate);

    settings.fingerprint = certificate.fingerprint;
    const SyncOutcome accepted = sync();
    ASSERT_FALSE(accepted.failure) << accepted.failure->reason;
    EXPECT_EQ(accepted.report->added, 1);
}

}  // namespace
}  // namespace velorine::carddav
