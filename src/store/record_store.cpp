#include "store/record_store.h"

#include <array>

#include "store/data_file.h"

namespace velorine::store {
namespace {

// Sentinel defaults: texts no real surname equals, read in place of an absent Nom<n>.
constexpr std::string_view kEndSentinel = "zldsdlelsd";
constexpr std::string_view kDeleteSentinel = "zldsegzeg";
constexpr std::string_view kAnyRecordSentinel = "jeolsdkjeik";

constexpr std::array<std::string_view, 5> kRecordStems = {"Nom", "Pren", "Date", "Adress", "Email"};

std::string readSlot(const IniDocument& doc, std::string_view section, std::string_view stem,
                     int slot, std::string_view defaultText = {}) {
    return doc.read(section, slotKey(stem, slot), defaultText, kRecordBufferSize);
}

BirthdayRecord readRecord(const IniDocument& doc, std::string_view section, int slot,
                          std::string surname) {
    return {std::move(surname), readSlot(doc, section, "Pren", slot),
            readSlot(doc, section, "Date", slot), readSlot(doc, section, "Adress", slot),
            readSlot(doc, section, "Email", slot)};
}

bool matches(const IniDocument& doc, int slot, const RecordIdentity& who) {
    return readSlot(doc, kRecordSection, "Pren", slot) == who.firstName &&
           readSlot(doc, kRecordSection, "Date", slot) == who.birthDate;
}

void writeFields(IniDocument& doc, int slot, const std::array<std::string_view, 5>& values) {
    for (std::size_t i = 0; i < kRecordStems.size(); ++i)
        doc.write(kRecordSection, slotKey(kRecordStems[i], slot), values[i]);
}

// The next free slot from `from` on.
int freeSlotFrom(const IniDocument& doc, int from) {
    int slot = from;
    while (!readSlot(doc, kRecordSection, "Nom", slot).empty()) ++slot;
    return slot;
}

}  // namespace

std::string slotKey(std::string_view stem, int slot) {
    return std::string(stem) + std::to_string(slot);
}

std::vector<BirthdayRecord> readAllRecordsIn(const IniDocument& doc) {
    std::vector<BirthdayRecord> records;
    for (int slot = 1;; ++slot) {
        std::string surname = readSlot(doc, kRecordSection, "Nom", slot, kEndSentinel);
        if (surname == kEndSentinel) break;
        if (surname.empty()) continue;
        records.push_back(readRecord(doc, kRecordSection, slot, std::move(surname)));
    }
    return records;
}

int firstFreeSlotIn(const IniDocument& doc) { return freeSlotFrom(doc, 1); }

void writeRecordIn(IniDocument& doc, int slot, const BirthdayRecord& r) {
    writeFields(doc, slot, {r.surname, r.firstName, r.birthDate, r.address, r.email});
}

void addRecordsIn(IniDocument& doc, const std::vector<BirthdayRecord>& records) {
    // Slots below the one just filled are all taken, so the search goes on from there.
    int slot = 0;
    for (const auto& record : records) {
        slot = freeSlotFrom(doc, slot + 1);
        writeRecordIn(doc, slot, record);
    }
}

bool modifyRecordIn(IniDocument& doc, const RecordIdentity& old, const BirthdayRecord& updated) {
    for (int slot = 1;; ++slot) {
        const std::string surname = readSlot(doc, kRecordSection, "Nom", slot, kEndSentinel);
        if (surname.empty()) continue;
        if (surname == kEndSentinel) return false;
        if (surname == old.surname && matches(doc, slot, old)) {
            writeRecordIn(doc, slot, updated);
            return true;
        }
    }
}

bool deleteRecordIn(IniDocument& doc, const RecordIdentity& who) {
    for (int slot = 1;; ++slot) {
        const std::string surname = readSlot(doc, kRecordSection, "Nom", slot, kDeleteSentinel);
        if (surname == kDeleteSentinel) return false;
        if (surname == who.surname && matches(doc, slot, who)) {
            writeFields(doc, slot, {"", "", "", "", ""});  // a hole; Proch<n> stays
            return true;
        }
    }
}

void compactRecordsIn(IniDocument& doc) {
    // A scratch copy left by an interrupted run of an older version would otherwise be carried back.
    if (doc.hasSection(kScratchSection)) doc.clearSection(kScratchSection);
    const std::vector<BirthdayRecord> live = readAllRecordsIn(doc);
    if (live.empty()) return;
    doc.clearSection(kRecordSection);
    for (std::size_t i = 0; i < live.size(); ++i) writeRecordIn(doc, static_cast<int>(i + 1), live[i]);
}

bool hasAnyRecordIn(const IniDocument& doc) {
    for (int slot = 1;; ++slot) {
        const std::string surname = readSlot(doc, kRecordSection, "Nom", slot, kAnyRecordSentinel);
        if (surname == kAnyRecordSentinel) return false;
        if (!surname.empty()) return true;
    }
}

std::vector<BirthdayRecord> RecordStore::readAll() const { return readAllRecordsIn(snapshot(path_)); }

int RecordStore::firstFreeSlot() const { return firstFreeSlotIn(snapshot(path_)); }

bool RecordStore::writeRecord(int slot, const BirthdayRecord& record) const {
    return commit(path_, [&](IniDocument& doc) { writeRecordIn(doc, slot, record); });
}

bool RecordStore::addRecord(const BirthdayRecord& record) const { return addRecords({record}); }

bool RecordStore::addRecords(const std::vector<BirthdayRecord>& records) const {
    return commit(path_, [&](IniDocument& doc) { addRecordsIn(doc, records); });
}

namespace {

template <typename Edit>
RecordChange commitRecordChange(const std::string& path, Edit edit) {
    bool looked = false;
    bool found = false;
    const bool stored = commit(path, [&](IniDocument& doc) {
        looked = true;
        found = edit(doc);
    });
    if (looked && !found) return RecordChange::NotFound;
    return stored ? RecordChange::Done : RecordChange::WriteFailed;
}

}  // namespace

RecordChange RecordStore::modifyRecord(const RecordIdentity& old, const BirthdayRecord& updated) const {
    return commitRecordChange(path_, [&](IniDocument& doc) { return modifyRecordIn(doc, old, updated); });
}

RecordChange RecordStore::deleteRecord(const RecordIdentity& record) const {
    return commitRecordChange(path_, [&](IniDocument& doc) { return deleteRecordIn(doc, record); });
}

bool RecordStore::compact() const { return commit(path_, compactRecordsIn); }

bool hasAnyRecord(const std::string& path) { return hasAnyRecordIn(snapshot(path)); }

std::string countText(int rows) {
    if (rows == 0) return {};
    if (rows == 1) return "1 Anniversaire";
    return std::to_string(rows) + " Velorine";
}

}  // namespace velorine::store
