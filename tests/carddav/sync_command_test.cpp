// velorine-contacts synchroniser end to end, the built binary against a real Radicale: its status
// and words, the password from standard input, and never the password in what it prints.

#include <gtest/gtest.h>

#include "command_home.h"
#include "radicale_server.h"
#include "store/record_store.h"
#include "support/child_process.h"
#include "test_servers.h"

namespace velorine::carddav {
namespace {

using namespace carddav::testing;
using velorine::testing::runProcess;
using velorine::testing::runProcessWithInput;

class SyncCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new RadicaleServer();
        Phone phone(server_->url(), kUser, kPassword);
        phone.createBook(QStringLiteral("/alice/amis/"), QStringLiteral("Amis"));
        phone.put(QStringLiteral("/alice/amis/jean.vcf"), vcardOf("jean", "Dupont", "Jean", "1990-03-10"));
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    static OnlineSettings account() {
        const std::string book = server_->url(QStringLiteral("/alice/amis/")).toString().toStdString();
        return {book, kUser.toStdString(), {book}, {}};
    }
    velorine::testing::ProcessResult run(const CommandHome& home, const std::vector<std::string>& arguments,
                                         const std::string& input) {
        return runProcessWithInput(VELORINE_CONTACTS_BINARY, arguments, home.environment(), input);
    }

    static RadicaleServer* server_;
};

RadicaleServer* SyncCommandTest::server_ = nullptr;

TEST_F(SyncCommandTest, SyncsWithThePasswordReadOnStandardInput) {
    const CommandHome home(account());
    const auto result = run(home, {"synchroniser", "--mot-de-passe-stdin"}, kPassword.toStdString() + "\n");
    EXPECT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_EQ(result.standardOutput,
              "Carnet d'adresses en ligne :\n  personnes ajoutées à la liste : 1\n  personnes mises à jour : 0\n"
              "  déjà dans la liste : 0\n  cartes sans date de naissance utilisable : 0\n");
    EXPECT_EQ(store::RecordStore(home.dataFile()).readAll(),
              (std::vector<store::BirthdayRecord>{{"Dupont", "Jean", "10/03/1990", "", ""}}));
    const auto again = run(home, {"synchroniser", "--mot-de-passe-stdin"}, kPassword.toStdString());
    EXPECT_EQ(again.standardOutput, "Carnet d'adresses en ligne : rien de nouveau, la liste est à jour.\n");
}

TEST_F(SyncCommandTest, FailsWithStatus2AndAFrenchReasonThatNeverHoldsThePassword) {
    struct Case {
        const char* what;
        OnlineSettings settings;
        std::vector<std::string> arguments;
        std::string input;
        std::string error;
    };
    OnlineSettings elsewhere = account();
    elsewhere.address = elsewhere.books[0] = "https://dav.example.org/carnet/";
    const std::string wrong = "mauvais mot de passe secret";
    const std::vector<Case> cases = {
        {"wrong password",
         account(),
         {"synchroniser", "--mot-de-passe-stdin"},
         wrong,
         "velorine-contacts : la synchronisation a échoué : le serveur « 127.0.0.1 » refuse ce nom d'utilisateur ou "
         "ce mot de passe\n"},
        {"nothing configured",
         {},
         {"synchroniser", "--mot-de-passe-stdin"},
         wrong,
         "velorine-contacts : aucun carnet d'adresses en ligne n'est choisi : ouvrez la liste de Velorine, menu "
         "Fichier, « Carnet d'adresses en ligne… »\n"},
        {"no password read",
         account(),
         {"synchroniser", "--mot-de-passe-stdin"},
         "",
         "velorine-contacts : aucun mot de passe n'a été lu sur l'entrée standard\n"},
        {"a list that cannot be read",
         account(),
         {"synchroniser", "--mot-de-passe-stdin", "--fichier", "/proc/version"},
         wrong,
         "velorine-contacts : la synchronisation a échoué : le fichier « /proc/version » n'est pas une liste "
         "d'anniversaires\n"},
        {"an option of another action",
         account(),
         {"synchroniser", "--fetes"},
         "",
         "velorine-contacts : option inconnue « --fetes » pour synchroniser (velorine-contacts --aide donne "
         "l'usage)\n"},
    };
    for (const Case& c : cases) {
        const CommandHome home(c.settings);
        const auto result = run(home, c.arguments, c.input);
        EXPECT_EQ(result.exitStatus, 2) << c.what;
        EXPECT_EQ(result.standardError, c.error) << c.what;
        EXPECT_EQ(result.standardError.find(wrong), std::string::npos) << c.what;
        EXPECT_EQ(result.standardOutput.find(wrong), std::string::npos) << c.what;
        EXPECT_TRUE(store::RecordStore(home.dataFile()).readAll().empty()) << c.what;
    }
}

TEST_F(SyncCommandTest, WithoutAKeyringItSaysSoAndAsksForStandardInput) {
    const CommandHome home(account());
    auto environment = home.environment();
    environment["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + home.dataFile() + ".pas-de-bus";
    const auto result = runProcess(VELORINE_CONTACTS_BINARY, {"synchroniser"}, environment);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.standardError,
              "velorine-contacts : aucun trousseau de clés ne répond : donnez le mot de passe avec "
              "--mot-de-passe-stdin\n");
}

}  // namespace
}  // namespace velorine::carddav
