// The password in a real Secret Service (gnome-keyring-daemon on the test's own session bus, see
// with_keyring.sh), and what uses it without anyone typing: velorine-contacts synchroniser, and
// the daily sync the logon gate starts in the background.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "carddav/keyring.h"
#include "carddav/sync_state.h"
#include "command_home.h"
#include "radicale_server.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "test_servers.h"

namespace velorine::carddav {
namespace {

using namespace carddav::testing;
using velorine::testing::runProcess;
using velorine::testing::writeFile;

TEST(KeyringTest, KeepsReplacesAndForgetsAPasswordByAddressAndUser) {
    const std::string address = "https://dav.example.org/";
    ASSERT_EQ(lookUpPassword(address, "alice").state, KeyringState::NotStored);
    ASSERT_TRUE(storePassword(address, "alice", "premier é"));
    ASSERT_TRUE(storePassword(address, "alice", "second"));
    ASSERT_TRUE(storePassword(address, "bob", "celui de bob"));
    const KeyringAnswer alice = lookUpPassword(address, "alice");
    EXPECT_EQ(alice.state, KeyringState::Found);
    EXPECT_EQ(alice.password, "second");
    EXPECT_EQ(lookUpPassword("https://autre.example.org/", "alice").state, KeyringState::NotStored);
    forgetPassword(address, "alice");
    EXPECT_EQ(lookUpPassword(address, "alice").state, KeyringState::NotStored);
    EXPECT_EQ(lookUpPassword(address, "bob").password, "celui de bob");
}

class KeyringSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        Phone phone(server_.url(), kUser, kPassword);
        ASSERT_EQ(phone.createBook(QStringLiteral("/alice/amis/"), QStringLiteral("Amis")), 201);
        ASSERT_EQ(phone.put(QStringLiteral("/alice/amis/jean.vcf"), vcardOf("jean", "Dupont", "Jean", "1990-03-10")),
                  201);
        ASSERT_TRUE(storePassword(account_.address, account_.user, kPassword.toStdString()));
    }
    std::vector<store::BirthdayRecord> people() const { return store::RecordStore(home_.dataFile()).readAll(); }

    RadicaleServer server_;
    const std::string book_ = server_.url(QStringLiteral("/alice/amis/")).toString().toStdString();
    const OnlineSettings account_{book_, kUser.toStdString(), {book_}, {}};
    CommandHome home_{account_};
};

TEST_F(KeyringSyncTest, TheCommandTakesThePasswordFromTheKeyring) {
    const auto result = runProcess(VELORINE_CONTACTS_BINARY, {"synchroniser"}, home_.environment());
    EXPECT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_EQ(people(), (std::vector<store::BirthdayRecord>{{"Dupont", "Jean", "10/03/1990", "", ""}}));
}

// Waits up to `limit` for the list to hold `count` people.
bool waitForPeople(const std::string& dataFile, std::size_t count, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (store::RecordStore(dataFile).readAll().size() != count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

TEST_F(KeyringSyncTest, TheLogonGateStartsTheDailySyncInTheBackgroundOnceADay) {
    // Nothing to remind before 2100: the gate ends at once, with status 1.
    writeFile(home_.dataFile(), "[Controle]\r\nVersion=2.0\r\n[Rappel]\r\nDate=1 1 2100\r\n");
    const auto gate = runProcess(VELORINE_BINARY, {"PROG"}, home_.environment());
    EXPECT_EQ(gate.exitStatus, 1) << gate.standardError;
    EXPECT_LT(gate.elapsed, std::chrono::seconds(2));  // the network is not waited for
    ASSERT_TRUE(waitForPeople(home_.dataFile(), 1, std::chrono::seconds(30)));
    // The sync's own commit follows its people: wait for the day it records.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!readSyncState(store::snapshot(home_.dataFile())).lastDay && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readSyncState(store::snapshot(home_.dataFile())).lastDay, store::localToday());

    // Later the same day: a new card waits for tomorrow.
    Phone phone(server_.url(), kUser, kPassword);
    ASSERT_EQ(phone.put(QStringLiteral("/alice/amis/lucie.vcf"), vcardOf("lucie", "Morel", "Lucie", "2001-08-15")),
              201);
    EXPECT_EQ(runProcess(VELORINE_BINARY, {"PROG"}, home_.environment()).exitStatus, 1);
    EXPECT_FALSE(waitForPeople(home_.dataFile(), 2, std::chrono::seconds(2)));
}

}  // namespace
}  // namespace velorine::carddav
