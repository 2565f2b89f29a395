#pragma once
// The birthday records: numbered slots of the section "Velorine" of a data file.
//
// Slot n is the keys Nom<n>, Pren<n>, Date<n>, Adress<n>, Email<n> (and Proch<n>, the resume date,
// which belongs to the reminders: it follows its record when the list is compacted, is emptied when
// the record is deleted, and is never inherited by a record added into a hole). Nom<n> alone decides its state: absent
// ends the list (slot n and every higher one are ignored), empty is a hole left by a deletion, anything else a live
// record. A record is identified by the exact texts of surname, first name and birth date, never by its slot; of two
// identical records the one in the lower slot is acted on. Values are read back at most kRecordValueLength characters
// long.
//
// Each operation works on one snapshot of the file (readers) or commits once (writers), so another
// program sees the list before or after it, never in between. RecordStore keeps nothing in memory
// but the path. The *In functions do the same on a document in memory, for callers that already hold
// a snapshot or an edit in progress. The writers fail with the cause of a failed commit
// (store/failure.h); the file is then unchanged.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/failure.h"
#include "store/ini_document.h"

namespace velorine::store {

struct BirthdayRecord {
    std::string surname;
    std::string firstName;
    std::string birthDate;
    std::string address;
    std::string email;
    friend bool operator==(const BirthdayRecord&, const BirthdayRecord&) = default;
};

// What modify and delete look for.
struct RecordIdentity {
    std::string surname;
    std::string firstName;
    std::string birthDate;
};

// What a modify or a delete that could write the file did.
enum class RecordChange {
    Done,      // the record was found and the file changed
    NotFound,  // no record matches (another instance changed the file meanwhile): the file is left as it is
};

inline constexpr std::string_view kRecordSection = "Velorine";
inline constexpr std::string_view kScratchSection = "VelorCop";
// The longest text a record field reads back: its read buffer holds 128 characters, a terminator
// included.
inline constexpr std::size_t kRecordValueLength = 127;

// The key of a slot: slotKey("Nom", 12) is "Nom12".
std::string slotKey(std::string_view stem, int slot);

std::vector<BirthdayRecord> readAllRecordsIn(const IniDocument& doc);
// The same one record at a time, in slot order, for a caller that need not hold them all.
void forEachRecordIn(const IniDocument& doc, const std::function<void(BirthdayRecord)>& visit);
int firstFreeSlotIn(const IniDocument& doc);
void writeRecordIn(IniDocument& doc, int slot, const BirthdayRecord& record);
// Puts each record into the first free slot of the document as it stands after the ones before it:
// holes first, then the end of the list. A slot taken never keeps the resume date found there.
void addRecordsIn(IniDocument& doc, const std::vector<BirthdayRecord>& records);
// The live record with this identity (the lowest slot's of identical ones), if any.
std::optional<BirthdayRecord> findRecordIn(const IniDocument& doc, const RecordIdentity& who);
bool modifyRecordIn(IniDocument& doc, const RecordIdentity& old, const BirthdayRecord& updated);
bool deleteRecordIn(IniDocument& doc, const RecordIdentity& record);
// Renumbers the live records 1..m in their order, each with its resume date, dropping holes (their
// resume dates with them), keys past the end of the list and any leftover scratch copy. A list
// without live records is left as it is.
void compactRecordsIn(IniDocument& doc);
// True when compactRecordsIn would leave the record sections as they are: the record section holds
// exactly the compacted lines, in their order, and no scratch copy is left. Compares line by line
// and stops at the first difference, without building the compacted image; a list it cannot vouch
// for at a glance (holes, odd spellings, no live record) answers false, which only costs the caller
// a compaction that may then find nothing to change.
bool isCompactIn(const IniDocument& doc);
bool hasAnyRecordIn(const IniDocument& doc);

class RecordStore {
public:
    explicit RecordStore(std::string dataFilePath) : path_(std::move(dataFilePath)) {}
    const std::string& path() const { return path_; }

    std::vector<BirthdayRecord> readAll() const;
    std::optional<BirthdayRecord> find(const RecordIdentity& who) const;
    int firstFreeSlot() const;
    Result<> writeRecord(int slot, const BirthdayRecord& record) const;
    Result<> addRecord(const BirthdayRecord& record) const;
    // All the records in one commit.
    Result<> addRecords(const std::vector<BirthdayRecord>& records) const;
    Result<RecordChange> modifyRecord(const RecordIdentity& old, const BirthdayRecord& updated) const;
    Result<RecordChange> deleteRecord(const RecordIdentity& record) const;
    // Succeeds when the file holds the compacted list (also when nothing had to change); a missing
    // file stays missing.
    Result<> compact() const;

private:
    std::string path_;
};

// Whether the data file at `path` holds at least one live record.
bool hasAnyRecord(const std::string& path);

}  // namespace velorine::store
