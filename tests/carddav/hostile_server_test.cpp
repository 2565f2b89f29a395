// What a server should never send, from a server of the test's own (hostile_server.py, over TLS
// with a certificate the test accepted): each fault ends the sync with a French reason, in bounded
// time, and the list as it was. A server without sync reports is read by its ETags.

#include <gtest/gtest.h>

#include <chrono>

#include "carddav/sync_state.h"
#include "carddav/synchronisation.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"
#include "test_servers.h"

namespace velorine::carddav {
namespace {

using namespace carddav::testing;
using velorine::testing::readFile;
using velorine::testing::TempDir;
using velorine::testing::writeFile;

constexpr store::CalendarDate kToday{9, 12, 2026};
const std::string kList = "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\n";

class HostileServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        certificateDir_ = new TempDir();
        certificate_ = new TestCertificate(makeCertificate(certificateDir_->path()));
        server_ = new HostileServer(*certificate_);
    }
    static void TearDownTestSuite() {
        delete server_;
        delete certificate_;
        delete certificateDir_;
    }

    // A sync of the book at `path` (as chosen: no discovery) of a server that answers within
    // `whole` at most.
    SyncOutcome syncBook(const char* path, std::chrono::milliseconds whole = std::chrono::seconds(60)) {
        const std::string address = server_->url(QString::fromLatin1(path)).toString().toStdString();
        OnlineSettings settings{address, "alice", {address}, certificate_->fingerprint};
        DavLimits limits;
        limits.whole = whole;
        return synchronise({file_, settings, "secret", kToday, limits, nullptr});
    }

    static TempDir* certificateDir_;
    static TestCertificate* certificate_;
    static HostileServer* server_;
    TempDir dir_;
    std::string file_ = dir_.file("velor.ini");
};

TempDir* HostileServerTest::certificateDir_ = nullptr;
TestCertificate* HostileServerTest::certificate_ = nullptr;
HostileServer* HostileServerTest::server_ = nullptr;

struct Fault {
    const char* path;
    FailureKind kind;
    const char* reason;  // a part of the reason given
};

class HostileFaultTest : public HostileServerTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(HostileFaultTest, EndsWithAFrenchReasonAndTheListUntouched) {
    const Fault& fault = GetParam();
    writeFile(file_, kList);
    const auto start = std::chrono::steady_clock::now();
    const SyncOutcome outcome = syncBook(fault.path, std::chrono::milliseconds(1500));
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(outcome.failure) << fault.path;
    EXPECT_EQ(outcome.failure->kind, fault.kind) << fault.path << " : " << outcome.failure->reason;
    EXPECT_NE(outcome.failure->reason.find(fault.reason), std::string::npos)
        << fault.path << " : " << outcome.failure->reason;
    EXPECT_LT(took, std::chrono::seconds(10)) << fault.path;
    EXPECT_EQ(store::RecordStore(file_).readAll(),
              (std::vector<store::BirthdayRecord>{{"Roy", "Eva", "01/01/1990", "", ""}}));
    EXPECT_EQ(readSyncState(store::snapshot(file_)).failure, outcome.failure->reason);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HostileFaultTest,
    ::testing::Values(Fault{"/malforme/", FailureKind::BadResponse, "n'est pas du XML lisible"},
                      Fault{"/pas-xml/", FailureKind::BadResponse, "n'est pas une réponse WebDAV (multistatus)"},
                      Fault{"/enorme/", FailureKind::BadResponse, "dépasse 32 Mio"},
                      Fault{"/flot/", FailureKind::BadResponse, "dépasse 32 Mio"},
                      Fault{"/goutte/", FailureKind::Unreachable, "n'a pas fini de répondre en 1 s"},
                      Fault{"/boucle/", FailureKind::Refused, "renvoie d'adresse en adresse (plus de 5 renvois)"},
                      Fault{"/ailleurs/", FailureKind::Refused, "renvoie vers un autre serveur, « localhost »"},
                      Fault{"/vers-http/", FailureKind::Refused, "renvoie vers une adresse non chiffrée"},
                      Fault{"/statut/401/", FailureKind::Authentication,
                            "refuse ce nom d'utilisateur ou ce mot de passe"},
                      Fault{"/statut/403/", FailureKind::Refused, "refuse l'accès à « https://127.0.0.1:"},
                      Fault{"/statut/404/", FailureKind::NotFound, "(404) : l'adresse est-elle juste ?"},
                      Fault{"/statut/500/", FailureKind::ServerError, "a rencontré une erreur (500)"},
                      Fault{"/statut/503/", FailureKind::ServerError, "a rencontré une erreur (503)"},
                      Fault{"/ferme/", FailureKind::Unreachable, "a coupé la connexion"},
                      Fault{"/trop-de-cartes/", FailureKind::BadResponse, "compte plus de 50000 éléments"}),
    [](const ::testing::TestParamInfo<Fault>& info) {
        std::string name;
        for (const char* c = info.param.path; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST_F(HostileServerTest, AServerWithoutSyncReportsIsReadByItsETags) {
    const SyncOutcome first = syncBook("/sans-sync/");
    ASSERT_FALSE(first.failure) << first.failure->reason;
    EXPECT_EQ(first.report->added, 1);
    EXPECT_EQ(first.requests, 3);  // the refused report, the ETags, the card
    const SyncOutcome again = syncBook("/sans-sync/");
    ASSERT_FALSE(again.failure) << again.failure->reason;
    EXPECT_EQ(again.requests, 2);  // the card's ETag has not changed: it is not read again
    EXPECT_EQ(again.report->added + again.report->updated, 0);
    EXPECT_EQ(store::RecordStore(file_).readAll(),
              (std::vector<store::BirthdayRecord>{{"Seul", "Jean", "17/05/1980", "", ""}}));
}

TEST_F(HostileServerTest, AnUntrustedCertificateIsNamedAndRefused) {
    const std::string address = server_->url(QStringLiteral("/sans-sync/")).toString().toStdString();
    const SyncOutcome outcome = synchronise({file_, {address, "alice", {}, {}}, "secret", kToday, {}, nullptr});
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->kind, FailureKind::Certificate);
    EXPECT_EQ(outcome.failure->fingerprint, certificate_->fingerprint);
    EXPECT_EQ(outcome.requests, 1);
}

}  // namespace
}  // namespace velorine::carddav
