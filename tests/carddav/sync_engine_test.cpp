// The sync's rules on the data file, without a server: what new, changed, unchanged and deleted
// cards do to the list, and what the state keeps from one sync to the next.

#include <gtest/gtest.h>

#include <thread>

#include "carddav/sync_engine.h"
#include "carddav/sync_state.h"
#include "carddav/sync_summary.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace velorine::carddav {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr store::CalendarDate kToday{9, 12, 2026};
const std::string kBook = "https://dav.example.org/alice/amis/";

std::string vcard(const std::string& uid, const std::string& family, const std::string& given,
                  const std::string& birthday, const std::string& email = "") {
    std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nN:" + family + ";" + given + ";;;\r\n";
    if (!birthday.empty()) card += "BDAY:" + birthday + "\r\n";
    if (!email.empty()) card += "EMAIL:" + email + "\r\n";
    return card + "END:VCARD\r\n";
}

FetchedCard fetched(const std::string& name, const std::string& etag, std::string vcardText) {
    return {"/alice/amis/" + name + ".vcf", etag, std::move(vcardText)};
}

BookNews news(std::vector<FetchedCard> cards, std::vector<std::string> removed = {}, std::string token = "t") {
    return {kBook, std::move(token), std::nullopt, std::move(cards), std::move(removed)};
}

class SyncEngineTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.file("velor.ini");
    store::RecordStore records{file};

    SyncReport sync(const BookNews& book) { return applyNews(file, {book}, kToday); }
    std::vector<store::BirthdayRecord> people() const { return records.readAll(); }
    void typeByHand(const store::BirthdayRecord& before, const store::BirthdayRecord& after) {
        ASSERT_EQ(*records.modifyRecord({before.surname, before.firstName, before.birthDate}, after),
                  store::RecordChange::Done);
    }
};

const store::BirthdayRecord kJean{"Dupont", "Jean", "10/03/1990", "", "jean@example.org"};
const store::BirthdayRecord kMarie{"Curie", "Marie", "07/11/1967", "", ""};

TEST_F(SyncEngineTest, FirstSyncAddsThePeopleWithABirthdayAndKeepsEveryCard) {
    const SyncReport report = sync(news(
        {fetched("jean", "\"1\"", vcard("u-jean", "Dupont", "Jean", "1990-03-10", "jean@example.org")),
         fetched("marie", "\"1\"", vcard("u-marie", "Curie", "Marie", "19671107")),
         fetched("nobody", "\"1\"", vcard("u-x", "Sans", "Date", "")), fetched("junk", "\"1\"", "not a card at all")}));
    EXPECT_TRUE(report.stored);
    EXPECT_EQ(report.added, 2);
    EXPECT_EQ(report.withoutBirthday, 1);
    EXPECT_EQ(report.unreadable, 1);
    EXPECT_EQ(people(), (std::vector<store::BirthdayRecord>{kJean, kMarie}));

    const SyncState state = readSyncState(store::snapshot(file));
    ASSERT_NE(state.book(kBook), nullptr);
    EXPECT_EQ(state.book(kBook)->syncToken, "t");
    EXPECT_EQ(state.book(kBook)->cards.size(), 4u);  // the cards without a person too: not read again
    EXPECT_EQ(state.book(kBook)->cards.at("/alice/amis/jean.vcf").uid, "u-jean");
    EXPECT_EQ(state.lastDay, kToday);
}

TEST_F(SyncEngineTest, APersonAlreadyInTheListIsLinkedNotAddedAgain) {
    writeFile(file, "[Velorine]\r\nNom1=DUPONT\r\nPren1=jean\r\nDate1=10/03/1990\r\n");
    const SyncReport first = sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10"))}));
    EXPECT_EQ(first.added, 0);
    EXPECT_EQ(first.alreadyThere, 1);
    // The card changes later: the person typed in capitals is the one updated, and keeps the
    // capitals the user typed.
    const SyncReport second = sync(news({fetched("jean", "\"2\"", vcard("u", "Dupont", "Jean", "1990-03-11"))}));
    EXPECT_EQ(second.updated, 1);
    EXPECT_EQ(people(), (std::vector<store::BirthdayRecord>{{"DUPONT", "jean", "11/03/1990", "", ""}}));
}

// Each case: the card's record at the first sync, what the user then typed by hand (if anything),
// the card's record at the second sync, and the person expected afterwards.
struct ChangeCase {
    const char* what;
    const char* secondBirthday;
    const char* secondFamily;
    const char* secondEmail;
    std::optional<store::BirthdayRecord> typedByHand;
    store::BirthdayRecord expected;
    int updated;
    bool leftAsTyped;
};

class SyncChangeTest : public SyncEngineTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(SyncChangeTest, ChangedCardsUpdateTheirPersonFieldByFieldAndWhatWasTypedWins) {
    const ChangeCase& c = GetParam();
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    if (c.typedByHand) typeByHand(kJean, *c.typedByHand);
    const SyncReport report =
        sync(news({fetched("jean", "\"2\"", vcard("u", c.secondFamily, "Jean", c.secondBirthday, c.secondEmail))}));
    EXPECT_TRUE(report.stored);
    EXPECT_EQ(report.updated, c.updated) << c.what;
    EXPECT_EQ(report.added, 0) << c.what;
    EXPECT_EQ(report.leftAsTyped.size(), c.leftAsTyped ? 1u : 0u) << c.what;
    EXPECT_EQ(people(), std::vector<store::BirthdayRecord>{c.expected}) << c.what;
}

const store::BirthdayRecord kJeanElsewhere{"Dupont", "Jean", "10/03/1990", "3 rue Haute, 75001 Paris",
                                           "jean@example.org"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SyncChangeTest,
    ::testing::Values(ChangeCase{"a new birth date",
                                 "1990-03-12",
                                 "Dupont",
                                 "jean@example.org",
                                 std::nullopt,
                                 {"Dupont", "Jean", "12/03/1990", "", "jean@example.org"},
                                 1,
                                 false},
                      ChangeCase{"a new surname",
                                 "1990-03-10",
                                 "Dupond",
                                 "jean@example.org",
                                 std::nullopt,
                                 {"Dupond", "Jean", "10/03/1990", "", "jean@example.org"},
                                 1,
                                 false},
                      ChangeCase{"unchanged card, address typed by hand", "1990-03-10", "Dupont", "jean@example.org",
                                 kJeanElsewhere, kJeanElsewhere, 0, false},
                      ChangeCase{"new birth date, address typed by hand",
                                 "1990-03-12",
                                 "Dupont",
                                 "jean@example.org",
                                 kJeanElsewhere,
                                 {"Dupont", "Jean", "12/03/1990", "3 rue Haute, 75001 Paris", "jean@example.org"},
                                 1,
                                 false},
                      ChangeCase{"e-mail changed on both sides",
                                 "1990-03-10",
                                 "Dupont",
                                 "travail@example.org",
                                 store::BirthdayRecord{"Dupont", "Jean", "10/03/1990", "", "perso@example.org"},
                                 {"Dupont", "Jean", "10/03/1990", "", "perso@example.org"},
                                 0,
                                 true},
                      ChangeCase{"surname typed by hand, card renamed",
                                 "1990-03-10",
                                 "Dupond",
                                 "jean@example.org",
                                 store::BirthdayRecord{"Dupont-Moreau", "Jean", "10/03/1990", "", "jean@example.org"},
                                 {"Dupont-Moreau", "Jean", "10/03/1990", "", "jean@example.org"},
                                 0,
                                 true}));

TEST_F(SyncEngineTest, AnUnchangedCardNeverUndoesWhatTheUserTyped) {
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    const store::BirthdayRecord corrected{"Dupont", "Jean", "11/03/1990", "", "jean@example.org"};
    typeByHand(kJean, corrected);
    // A full listing reads the card again (another ETag, the same record: only a phone number changed).
    const SyncReport report =
        sync(news({fetched("jean", "\"2\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    EXPECT_EQ(report.updated, 0);
    EXPECT_TRUE(report.leftAsTyped.empty());
    EXPECT_EQ(people(), std::vector<store::BirthdayRecord>{corrected});
}

TEST_F(SyncEngineTest, ACardGoneFromTheServerLeavesItsPersonAndIsNamed) {
    sync(news({fetched("jean", "\"1\"", vcard("u-jean", "Dupont", "Jean", "1990-03-10", "jean@example.org")),
               fetched("marie", "\"1\"", vcard("u-marie", "Curie", "Marie", "1967-11-07"))}));
    // Once said gone by a sync report, once by a whole listing that no longer names the card.
    const SyncReport byReport = sync(news({}, {"/alice/amis/jean.vcf"}));
    EXPECT_EQ(byReport.removedPeople, std::vector<std::string>{"Jean Dupont"});
    BookNews listing = news({});
    listing.allHrefs = std::set<std::string>{};
    const SyncReport byListing = sync(listing);
    EXPECT_EQ(byListing.removedPeople, std::vector<std::string>{"Marie Curie"});
    EXPECT_EQ(people().size(), 2u);
    EXPECT_TRUE(readSyncState(store::snapshot(file)).book(kBook)->cards.empty());
    EXPECT_NE(syncSummary(byListing).find("Retirées du carnet, gardées dans la liste :\n  Marie Curie\n"),
              std::string::npos)
        << syncSummary(byListing);
}

TEST_F(SyncEngineTest, APersonDeletedByHandIsNotAddedBack) {
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    ASSERT_EQ(*records.deleteRecord({"Dupont", "Jean", "10/03/1990"}), store::RecordChange::Done);
    const SyncReport report = sync(news({fetched("jean", "\"2\"", vcard("u", "Dupont", "Jean", "1990-03-11"))}));
    EXPECT_EQ(report.added, 0);
    EXPECT_EQ(report.leftAsTyped, std::vector<std::string>{"Jean Dupont"});
    EXPECT_TRUE(people().empty());
}

TEST_F(SyncEngineTest, ACardMovedToAnotherHrefIsNeitherDoubledNorCalledGone) {
    sync(news({fetched("jean", "\"1\"", vcard("u-jean", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    const SyncReport report =
        sync(news({fetched("jean-2", "\"1\"", vcard("u-jean", "Dupont", "Jean", "1990-03-10", "jean@example.org"))},
                  {"/alice/amis/jean.vcf"}));
    EXPECT_EQ(report.added, 0);
    EXPECT_TRUE(report.removedPeople.empty());
    EXPECT_EQ(people().size(), 1u);
}

TEST_F(SyncEngineTest, TheLinkHoldsWhenTheListIsCompacted) {
    writeFile(file,
              "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\nNom2=Blanc\r\nPren2=Luc\r\n"
              "Date2=02/02/1980\r\nNom3=Morel\r\nPren3=Zoe\r\nDate3=04/04/2004\r\n");
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    ASSERT_EQ(people().back(), kJean);  // slot 4
    ASSERT_EQ(*records.deleteRecord({"Roy", "Eva", "01/01/1990"}), store::RecordChange::Done);
    ASSERT_EQ(*records.deleteRecord({"Blanc", "Luc", "02/02/1980"}), store::RecordChange::Done);
    ASSERT_TRUE(records.compact());  // what every start does: Jean moves to slot 2
    ASSERT_NE(readFile(file).find("Nom2=Dupont"), std::string::npos);
    const SyncReport report =
        sync(news({fetched("jean", "\"2\"", vcard("u", "Dupont", "Jean", "1990-03-12", "jean@example.org"))}));
    EXPECT_EQ(report.updated, 1);
    EXPECT_EQ(people().back().birthDate, "12/03/1990");
    EXPECT_EQ(people().front().surname, "Morel");
}

TEST_F(SyncEngineTest, TwoSyncsAtOnceAddNoOneTwice) {
    std::vector<FetchedCard> cards;
    for (int i = 0; i < 200; ++i)
        cards.push_back(fetched("p" + std::to_string(i), "\"1\"",
                                vcard("u" + std::to_string(i), "Nom" + std::to_string(i), "Prénom", "1990-01-15")));
    const BookNews book = news(cards);
    SyncReport first;
    SyncReport second;
    std::thread window([&] { first = sync(book); });
    std::thread logon([&] { second = sync(book); });
    window.join();
    logon.join();
    EXPECT_TRUE(first.stored && second.stored);
    EXPECT_EQ(first.added + second.added, 200);
    EXPECT_EQ(people().size(), 200u);
}

TEST_F(SyncEngineTest, ABookNoLongerChosenIsForgottenAndItsPeopleStay) {
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    const SyncReport report =
        applyNews(file, {BookNews{"https://dav.example.org/alice/famille/", "", {}, {}, {}}}, kToday);
    EXPECT_TRUE(report.removedPeople.empty());
    const SyncState state = readSyncState(store::snapshot(file));
    EXPECT_EQ(state.book(kBook), nullptr);
    EXPECT_EQ(people(), std::vector<store::BirthdayRecord>{kJean});
}

TEST_F(SyncEngineTest, AFailureIsRecordedWithoutTouchingTheListOrTheCards) {
    sync(news({fetched("jean", "\"1\"", vcard("u", "Dupont", "Jean", "1990-03-10", "jean@example.org"))}));
    const std::string before = readFile(file);
    ASSERT_TRUE(recordFailure(file, "le serveur « dav.example.org » ne répond pas", {10, 12, 2026}));
    const SyncState state = readSyncState(store::snapshot(file));
    EXPECT_EQ(state.failure, "le serveur « dav.example.org » ne répond pas");
    EXPECT_EQ(state.lastDay, (store::CalendarDate{10, 12, 2026}));
    EXPECT_EQ(state.book(kBook)->cards.size(), 1u);
    EXPECT_EQ(people(), std::vector<store::BirthdayRecord>{kJean});
    // The next good sync clears the failure.
    sync(news({}));
    EXPECT_TRUE(readSyncState(store::snapshot(file)).failure.empty());
}

TEST(SyncSummaryTest, SaysInOneLineThatNothingChangedAndCutsLongLists) {
    EXPECT_EQ(syncSummary(SyncReport{}), "Carnet d'adresses en ligne : rien de nouveau, la liste est à jour.\n");
    SyncReport report;
    report.added = 1;
    for (int i = 0; i < 60; ++i) report.removedPeople.push_back("Personne " + std::to_string(i));
    const std::string text = syncSummary(report);
    EXPECT_NE(text.find("  personnes ajoutées à la liste : 1\n"), std::string::npos);
    EXPECT_NE(text.find("  Personne 49\n  … et 10 autres\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Personne 50"), std::string::npos);
}

}  // namespace
}  // namespace velorine::carddav
