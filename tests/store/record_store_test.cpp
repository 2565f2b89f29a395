#include "store/record_store.h"

#include <gtest/gtest.h>

#include <variant>

#include <sys/stat.h>

#include "store/data_file.h"
#include "support/temp_dir.h"

namespace velorine::store {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::string slotLines(int slot, const BirthdayRecord& r) {
    const std::string n = std::to_string(slot);
    return "Nom" + n + "=" + r.surname + "\r\nPren" + n + "=" + r.firstName + "\r\nDate" + n + "=" + r.birthDate +
           "\r\nAdress" + n + "=" + r.address + "\r\nEmail" + n + "=" + r.email + "\r\n";
}

const BirthdayRecord kDupont{"Dupont", "Jean", "15/03/1980", "1 rue Haute, Lyon", "jean@exemple.fr"};
const BirthdayRecord kMartin{"Martin", "Anne", "05/03/1970", "", ""};
const BirthdayRecord kPetit{"Petit", "Jean", "27/12/2001", "", "p@exemple.fr"};

class RecordStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.file("velor.ini");
    RecordStore store{file};

    void givenFile(const std::string& body) { writeFile(file, body); }
    IniDocument doc() const { return snapshot(file); }
};

TEST_F(RecordStoreTest, ReadAllSkipsHolesAndStopsAtTheFirstAbsentSurname) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\nPren2=Fantome\r\n" + slotLines(3, kMartin) +
              slotLines(5, kPetit));
    EXPECT_EQ(store.readAll(), (std::vector<BirthdayRecord>{kDupont, kMartin}));
    EXPECT_EQ(store.firstFreeSlot(), 2);
}

TEST_F(RecordStoreTest, EmptyOrMissingFileHasNoRecords) {
    EXPECT_TRUE(store.readAll().empty());
    EXPECT_EQ(store.firstFreeSlot(), 1);
    EXPECT_FALSE(hasAnyRecord(file));
    givenFile("");
    EXPECT_TRUE(store.readAll().empty());
}

TEST_F(RecordStoreTest, SectionAndKeysAreFoundWhateverTheirCase) {
    givenFile("[velorine]\r\nnom1=Dupont\r\nPREN1=Jean\r\ndate1=15/03/1980\r\n");
    ASSERT_EQ(store.readAll().size(), 1u);
    EXPECT_EQ(store.readAll()[0].firstName, "Jean");
}

TEST_F(RecordStoreTest, ValuesAreReadBackAtMost127Characters) {
    givenFile("[Velorine]\r\nNom1=" + std::string(300, 'n') + "\r\n");
    EXPECT_EQ(store.readAll()[0].surname, std::string(127, 'n'));
}

TEST_F(RecordStoreTest, AddFillsTheLowestHoleFirstThenTheEnd) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\nProch2=1 1 2030\r\n" + slotLines(3, kMartin));
    ASSERT_TRUE(store.addRecord(kPetit));
    ASSERT_TRUE(store.addRecord(kPetit));
    EXPECT_EQ(store.readAll(), (std::vector<BirthdayRecord>{kDupont, kPetit, kMartin, kPetit}));
    // The hole's resume date was someone else's answer: the newcomer is not held back by it.
    EXPECT_EQ(doc().read("Velorine", "Proch2", "", 128), "");
}

TEST_F(RecordStoreTest, AddManyInOneCommitFillsHolesInOrder) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\n" + slotLines(3, kMartin) + "Nom4=\r\n" +
              slotLines(5, kDupont));
    const BirthdayRecord a{"A", "", "01/01/2000", "", ""}, b{"B", "", "", "", ""}, c{"C", "", "", "", ""};
    ASSERT_TRUE(store.addRecords({a, b, c}));
    const IniDocument d = doc();
    EXPECT_EQ(d.read("Velorine", "Nom2", "", 128), "A");
    EXPECT_EQ(d.read("Velorine", "Nom4", "", 128), "B");
    EXPECT_EQ(d.read("Velorine", "Nom6", "", 128), "C");
}

// Each person takes the first free slot of the file as it stands after the ones before: a surname
// past the end of the list is not overwritten, and a resume date there is never inherited.
TEST_F(RecordStoreTest, AddManyLooksAtTheSlotsPastTheEndOfTheList) {
    const BirthdayRecord a{"A", "", "", "", ""}, b{"B", "", "", "", ""}, c{"C", "", "", "", ""};
    givenFile("[Velorine]\r\nNom3=Ancien\r\n");
    ASSERT_TRUE(store.addRecords({a, b, c}));
    EXPECT_EQ(store.readAll(), (std::vector<BirthdayRecord>{a, b, {"Ancien", "", "", "", ""}, c}));

    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Proch8=1 1 2031\r\n");
    const std::vector<BirthdayRecord> seven(7, kMartin);
    ASSERT_TRUE(store.addRecords(seven));
    EXPECT_EQ(doc().read("Velorine", "Nom8", "", 128), "Martin");
    EXPECT_EQ(doc().read("Velorine", "Proch8", "", 128), "");
}

TEST_F(RecordStoreTest, WriteStoresTheFiveKeysInOrder) {
    ASSERT_TRUE(store.writeRecord(1, kDupont));
    EXPECT_EQ(readFile(file), "[Velorine]\r\n" + slotLines(1, kDupont));
}

TEST_F(RecordStoreTest, ModifyFindsTheRecordByItsThreeTexts) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\n" + slotLines(3, kPetit));
    const BirthdayRecord renamed{"Petit-Durand", "Jean", "27/12/2001", "Paris", ""};
    EXPECT_EQ(*store.modifyRecord({"Petit", "Jean", "27/12/2001"}, renamed), RecordChange::Done);
    EXPECT_EQ(store.readAll(), (std::vector<BirthdayRecord>{kDupont, renamed}));
}

TEST_F(RecordStoreTest, FindNeedsAllThreeTextsExactlyAndSkipsHoles) {
    const BirthdayRecord twin{"Martin", "Anne", "05/03/1970", "2 place Basse", ""};
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\n" + slotLines(3, kMartin) + slotLines(4, twin));
    EXPECT_EQ(store.find({"Martin", "Anne", "05/03/1970"}), kMartin);
    for (const RecordIdentity& other :
         {RecordIdentity{"martin", "Anne", "05/03/1970"}, RecordIdentity{"Martin", "Anne ", "05/03/1970"},
          RecordIdentity{"Martin", "Anne", "5/03/1970"}, RecordIdentity{"", "", ""}})
        EXPECT_EQ(store.find(other), std::nullopt) << other.surname << "|" << other.firstName << "|" << other.birthDate;
}

// The change a modify or a delete reports, or the cause of its failure.
std::variant<RecordChange, Failure> outcomeOf(const Result<RecordChange>& change) {
    if (change) return *change;
    return change.failure();
}

TEST_F(RecordStoreTest, ModifyOrDeleteOfAMissingRecordChangesNothing) {
    const RecordIdentity cases[] = {
        {"Absent", "Jean", "15/03/1980"},
        {"Dupont", "jean", "15/03/1980"},
        {"Dupont", "Jean", "15/03/1981"},
    };
    // The file is left byte for byte, whatever its line ends, even when it is no list at all.
    for (const std::string& before : {"[Velorine]\r\n" + slotLines(1, kDupont),
                                      std::string("[Velorine]\nNom1=Dupont\n"), std::string("ni section ni fiche\n")}) {
        givenFile(before);
        for (const auto& who : cases) {
            EXPECT_EQ(outcomeOf(store.modifyRecord(who, kMartin)),
                      (std::variant<RecordChange, Failure>(RecordChange::NotFound)))
                << before << who.surname << who.firstName;
            EXPECT_EQ(outcomeOf(store.deleteRecord(who)), (std::variant<RecordChange, Failure>(RecordChange::NotFound)))
                << before << who.surname << who.firstName;
            EXPECT_EQ(readFile(file), before);
        }
    }
    ::unlink(file.c_str());
    EXPECT_EQ(*store.deleteRecord(cases[0]), RecordChange::NotFound);
    EXPECT_EQ(*store.modifyRecord(cases[0], kMartin), RecordChange::NotFound);
    EXPECT_FALSE(testing::fileExists(file));
}

TEST_F(RecordStoreTest, DeleteMakesAHoleAndClearsItsResumeDate) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + "Proch1=1 1 2030\r\n" + slotLines(2, kMartin) +
              "Proch2=5 3 2027\r\n");
    EXPECT_EQ(*store.deleteRecord({"Dupont", "Jean", "15/03/1980"}), RecordChange::Done);
    const IniDocument d = doc();
    EXPECT_EQ(d.find("Velorine", "Nom1"), std::optional<std::string_view>(""));
    EXPECT_EQ(d.find("Velorine", "Email1"), std::optional<std::string_view>(""));
    EXPECT_EQ(d.find("Velorine", "Proch1"), std::optional<std::string_view>(""));
    EXPECT_EQ(d.read("Velorine", "Proch2", "", 128), "5 3 2027");
    EXPECT_EQ(store.readAll(), std::vector<BirthdayRecord>{kMartin});
}

TEST_F(RecordStoreTest, DeleteWritesNoResumeDateWhereThereWasNone) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + slotLines(2, kMartin));
    EXPECT_EQ(*store.deleteRecord({"Dupont", "Jean", "15/03/1980"}), RecordChange::Done);
    EXPECT_EQ(doc().find("Velorine", "Proch1"), std::nullopt);
}

TEST_F(RecordStoreTest, OfTwoIdenticalRecordsTheLowerSlotIsDeleted) {
    const BirthdayRecord twinA = kDupont;
    BirthdayRecord twinB = kDupont;
    twinB.address = "autre adresse";
    givenFile("[Velorine]\r\n" + slotLines(1, twinA) + slotLines(2, twinB));
    EXPECT_EQ(*store.deleteRecord({"Dupont", "Jean", "15/03/1980"}), RecordChange::Done);
    EXPECT_EQ(store.readAll(), std::vector<BirthdayRecord>{twinB});
}

TEST_F(RecordStoreTest, FailedWriteIsReported) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont));
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(outcomeOf(store.deleteRecord({"Dupont", "Jean", "15/03/1980"})),
              (std::variant<RecordChange, Failure>(Failure::ReadOnlyFile)));
    EXPECT_EQ(store.addRecord(kMartin).failure(), Failure::ReadOnlyFile);
    EXPECT_EQ(store.readAll(), std::vector<BirthdayRecord>{kDupont});
}

struct CompactCase {
    const char* what;
    std::string before;
    std::string after;
};

TEST_F(RecordStoreTest, CompactionRenumbersTheLiveRecords) {
    const CompactCase cases[] = {
        {"holes removed, order kept",
         "[Options]\r\nRappelFete=1\r\n\r\n[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\nPren2=\r\n" +
             slotLines(3, kMartin) + "\r\n[Rappel]\r\nJours=7\r\n",
         "[Options]\r\nRappelFete=1\r\n\r\n[Velorine]\r\n" + slotLines(1, kDupont) + slotLines(2, kMartin) +
             "\r\n[Rappel]\r\nJours=7\r\n"},
        {"resume dates follow their records to their new slots, a hole's goes with it",
         "[Velorine]\r\n" + slotLines(1, kDupont) + "Nom2=\r\nProch2=9 9 2029\r\n" + slotLines(3, kMartin) +
             slotLines(4, kPetit) + "Proch3=5 3 2027\r\nProch1=\r\n",
         "[Velorine]\r\n" + slotLines(1, kDupont) + slotLines(2, kMartin) + "Proch2=5 3 2027\r\n" +
             slotLines(3, kPetit)},
        {"keys past the end of the list are dropped", "[Velorine]\r\n" + slotLines(1, kDupont) + slotLines(3, kMartin),
         "[Velorine]\r\n" + slotLines(1, kDupont)},
        {"a file of holes only is left as it is", "[Velorine]\r\nNom1=\r\nNom2=\r\nProch2=1 1 2030\r\n",
         "[Velorine]\r\nNom1=\r\nNom2=\r\nProch2=1 1 2030\r\n"},
        {"a leftover scratch copy is cleared first, never carried back",
         "[Velorine]\r\n" + slotLines(1, kDupont) + "[VelorCop]\r\n" + slotLines(1, kMartin) + slotLines(2, kPetit),
         "[Velorine]\r\n" + slotLines(1, kDupont) + "[VelorCop]\r\n"},
        {"missing keys of a record come back empty", "[Velorine]\r\nNom1=Seul\r\n",
         "[Velorine]\r\nNom1=Seul\r\nPren1=\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n"},
    };
    for (const auto& c : cases) {
        givenFile(c.before);
        ASSERT_TRUE(store.compact()) << c.what;
        EXPECT_EQ(readFile(file), c.after) << c.what;
    }
}

TEST_F(RecordStoreTest, CompactingAMissingFileCreatesNone) {
    ASSERT_TRUE(store.compact());
    EXPECT_FALSE(testing::fileExists(file));
}

TEST_F(RecordStoreTest, CompactingACompactListTouchesNothing) {
    givenFile("[Velorine]\r\n" + slotLines(1, kDupont) + slotLines(2, kMartin));
    struct stat before {};
    ::stat(file.c_str(), &before);
    ASSERT_TRUE(store.compact());
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(RecordStoreTest, HasAnyRecordLooksPastHoles) {
    givenFile("[Velorine]\r\nNom1=\r\nNom2=\r\n");
    EXPECT_FALSE(hasAnyRecord(file));
    givenFile("[Velorine]\r\nNom1=\r\nNom2=X\r\n");
    EXPECT_TRUE(hasAnyRecord(file));
    givenFile("[Velorine]\r\nNom1=\r\nNom3=X\r\n");
    EXPECT_FALSE(hasAnyRecord(file));
}

TEST(SlotKey, HasNoLeadingZeros) {
    EXPECT_EQ(slotKey("Nom", 1), "Nom1");
    EXPECT_EQ(slotKey("Proch", 12), "Proch12");
}

}  // namespace
}  // namespace velorine::store
