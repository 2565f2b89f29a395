#include "store/record_store.h"

#include <algorithm>
#include <array>
#include <optional>

#include "store/data_file.h"
#include "store/read_rules.h"
#include "store/record_slots.h"

namespace velorine::store {
namespace {

// Sentinel defaults: texts no real surname equals, read in place of an absent Nom<n>.
constexpr std::string_view kEndSentinel = "zldsdlelsd";
constexpr std::string_view kDeleteSentinel = "zldsegzeg";
constexpr std::string_view kAnyRecordSentinel = "jeolsdkjeik";

constexpr std::array<SlotField, 5> kRecordFields = {SlotField::Surname, SlotField::FirstName, SlotField::BirthDate,
                                                    SlotField::Address, SlotField::Email};

RecordSlots recordSlotsOf(const IniDocument& doc) { return RecordSlots(doc, kRecordSection); }

BirthdayRecord readRecord(const RecordSlots& slots, int slot, std::string surname) {
    return {std::move(surname), slots.read(slot, SlotField::FirstName), slots.read(slot, SlotField::BirthDate),
            slots.read(slot, SlotField::Address), slots.read(slot, SlotField::Email)};
}

bool matches(const RecordSlots& slots, int slot, std::string_view surname, const RecordIdentity& who) {
    return surname == who.surname && slots.read(slot, SlotField::FirstName) == who.firstName &&
           slots.read(slot, SlotField::BirthDate) == who.birthDate;
}

// The five record keys of a slot with their values, ready for one writeAll; `keys` holds the names.
void appendFields(std::vector<IniDocument::KeyValue>& out, std::vector<std::string>& keys, int slot,
                  const std::array<std::string_view, 5>& values) {
    for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
        keys.push_back(slotKey(stemOf(kRecordFields[i]), slot));
        out.emplace_back(std::string_view(), values[i]);
    }
}

void writeFields(IniDocument& doc, const std::vector<std::pair<int, std::array<std::string_view, 5>>>& slots) {
    std::vector<IniDocument::KeyValue> keyValues;
    std::vector<std::string> keys;
    keyValues.reserve(slots.size() * kRecordFields.size());
    keys.reserve(slots.size() * kRecordFields.size());
    for (const auto& [slot, values] : slots) appendFields(keyValues, keys, slot, values);
    for (std::size_t i = 0; i < keys.size(); ++i) keyValues[i].first = keys[i];  // keys no longer move
    doc.writeAll(kRecordSection, keyValues);
}

// Empties Proch<n> of the slots, in one pass.
void clearResumeDates(IniDocument& doc, const std::vector<int>& slots) {
    if (slots.empty()) return;
    std::vector<std::string> keys;
    keys.reserve(slots.size());
    for (const int slot : slots) keys.push_back(slotKey(stemOf(SlotField::ResumeDate), slot));
    std::vector<IniDocument::KeyValue> keyValues;
    keyValues.reserve(keys.size());
    for (const auto& key : keys) keyValues.emplace_back(key, std::string_view());
    doc.writeAll(kRecordSection, keyValues);
}

std::array<std::string_view, 5> fieldsOf(const BirthdayRecord& r) {
    return {r.surname, r.firstName, r.birthDate, r.address, r.email};
}

// The next free slot from `from` on: Nom<n> absent or empty.
int freeSlotFrom(const RecordSlots& slots, int from) {
    int slot = from;
    while (!slots.read(slot, SlotField::Surname).empty()) ++slot;
    return slot;
}

}  // namespace

std::string slotKey(std::string_view stem, int slot) { return std::string(stem) + std::to_string(slot); }

void forEachRecordIn(const IniDocument& doc, const std::function<void(BirthdayRecord)>& visit) {
    const RecordSlots slots = recordSlotsOf(doc);
    for (int slot = 1;; ++slot) {
        std::string surname = slots.read(slot, SlotField::Surname, kEndSentinel);
        if (surname == kEndSentinel) break;
        if (!surname.empty()) visit(readRecord(slots, slot, std::move(surname)));
    }
}

std::vector<BirthdayRecord> readAllRecordsIn(const IniDocument& doc) {
    std::vector<BirthdayRecord> records;
    forEachRecordIn(doc, [&records](BirthdayRecord record) { records.push_back(std::move(record)); });
    return records;
}

int firstFreeSlotIn(const IniDocument& doc) { return freeSlotFrom(recordSlotsOf(doc), 1); }

void writeRecordIn(IniDocument& doc, int slot, const BirthdayRecord& record) {
    writeFields(doc, {{slot, fieldsOf(record)}});
}

void addRecordsIn(IniDocument& doc, const std::vector<BirthdayRecord>& records) {
    // The free slots are those of the document before the adds; every slot below the one just
    // filled is taken, so the search goes on from there. The layout reaches every slot the adds
    // may take, past the end of the list too: a surname or a resume date left there must be seen.
    const RecordSlots before(doc, kRecordSection, records.size());
    std::vector<std::pair<int, std::array<std::string_view, 5>>> slots;
    std::vector<int> inheritedResumeDates;
    slots.reserve(records.size());
    int slot = 0;
    for (const auto& record : records) {
        slot = freeSlotFrom(before, slot + 1);
        slots.emplace_back(slot, fieldsOf(record));
        if (!before.view(slot, SlotField::ResumeDate).empty()) inheritedResumeDates.push_back(slot);
    }
    writeFields(doc, slots);
    // A hole may still carry the resume date of the person deleted from it (older versions kept
    // it): the newcomer must not be held back by someone else's answer.
    clearResumeDates(doc, inheritedResumeDates);
}

namespace {

// The slot of the live record with this identity, the lowest of identical ones.
std::optional<int> liveSlotOf(const RecordSlots& slots, const RecordIdentity& who) {
    for (int slot = 1;; ++slot) {
        const std::string surname = slots.read(slot, SlotField::Surname, kEndSentinel);
        if (surname.empty()) continue;
        if (surname == kEndSentinel) return std::nullopt;
        if (matches(slots, slot, surname, who)) return slot;
    }
}

}  // namespace

std::optional<BirthdayRecord> findRecordIn(const IniDocument& doc, const RecordIdentity& who) {
    const RecordSlots slots = recordSlotsOf(doc);
    const std::optional<int> slot = liveSlotOf(slots, who);
    if (!slot) return std::nullopt;
    return readRecord(slots, *slot, who.surname);
}

bool modifyRecordIn(IniDocument& doc, const RecordIdentity& old, const BirthdayRecord& updated) {
    const std::optional<int> slot = liveSlotOf(recordSlotsOf(doc), old);
    if (!slot) return false;
    writeRecordIn(doc, *slot, updated);
    return true;
}

bool deleteRecordIn(IniDocument& doc, const RecordIdentity& who) {
    const RecordSlots slots = recordSlotsOf(doc);
    for (int slot = 1;; ++slot) {
        const std::string surname = slots.read(slot, SlotField::Surname, kDeleteSentinel);
        if (surname == kDeleteSentinel) return false;
        if (matches(slots, slot, surname, who)) {
            writeFields(doc, {{slot, {"", "", "", "", ""}}});
            if (!slots.view(slot, SlotField::ResumeDate).empty()) clearResumeDates(doc, {slot});
            return true;
        }
    }
}

namespace {

// Calls line(stem, number, value) for every line a compaction writes, in order: per live slot, its
// five fields under its new number, then its resume date when it has one. Returns the number of
// live slots.
template <typename Line>
int forEachCompactedLine(const RecordSlots& slots, Line line) {
    int compacted = 0;
    for (int slot = 1;; ++slot) {
        const std::string_view surname = slots.view(slot, SlotField::Surname, kEndSentinel);
        if (surname == kEndSentinel) break;
        if (surname.empty()) continue;
        const std::string number = std::to_string(++compacted);
        for (const SlotField field : kRecordFields) line(stemOf(field), number, slots.view(slot, field));
        // The user's "not before the next birthday" answer moves with the person; a hole's is
        // dropped with the hole.
        const std::string_view resumeDate = slots.view(slot, SlotField::ResumeDate);
        if (!resumeDate.empty()) line(stemOf(SlotField::ResumeDate), number, resumeDate);
    }
    return compacted;
}

}  // namespace

void compactRecordsIn(IniDocument& doc) {
    // A scratch copy left by an interrupted run of an older version would otherwise be carried back.
    if (doc.hasSection(kScratchSection)) doc.clearSection(kScratchSection);
    const RecordSlots slots = recordSlotsOf(doc);
    // Sized before it is filled: the lines of a large list are most of the file, and a string that
    // grows by doubling would hold up to three times them for a moment.
    std::size_t size = 0;
    const int compacted =
        forEachCompactedLine(slots, [&size](std::string_view stem, std::string_view number, std::string_view value) {
            size += stem.size() + number.size() + value.size() + 2;
        });
    if (compacted == 0) return;
    std::string lines;
    lines.reserve(size);
    forEachCompactedLine(slots, [&lines](std::string_view stem, std::string_view number, std::string_view value) {
        lines.append(stem).append(number).append("=").append(value).append("\n");
    });
    doc.replaceSection(kRecordSection, std::move(lines));
}

namespace {

// A value that a record read hands back as it stands: nothing dropped or cut by the read rules,
// not cut to the record length.
bool readsBackAsItself(std::string_view value) {
    return value.size() <= kRecordValueLength && read_rules::readsBackAsItself(value);
}

// The value of `line` when it is "<stem><slot>=<value>" with a value that reads back as itself.
std::optional<std::string_view> compactedValue(std::string_view line, SlotField field, std::string_view number) {
    const std::string_view stem = stemOf(field);
    const std::size_t keyLength = stem.size() + number.size();
    // Compared byte by byte: both are a few bytes long, and this runs on every line at every logon.
    if (line.size() <= keyLength || line[keyLength] != '=' || !std::equal(stem.begin(), stem.end(), line.begin()) ||
        !std::equal(number.begin(), number.end(), line.begin() + static_cast<std::ptrdiff_t>(stem.size())))
        return std::nullopt;
    const std::string_view value = line.substr(keyLength + 1);
    if (!readsBackAsItself(value)) return std::nullopt;
    return value;
}

bool isBlankLine(std::string_view line) { return std::all_of(line.begin(), line.end(), read_rules::isBlankByte); }

// Walks the record section against the lines a compaction writes: per live slot Nom, Pren, Date,
// Adress, Email, then Proch when it is not empty; after the last slot at most the one blank line
// that separates the section from the next one.
class CompactedLines {
public:
    bool accept(std::string_view line) {
        if (trailing_) return false;  // a compaction keeps one blank line at the end, no more
        if (isBlankLine(line)) {
            trailing_ = true;
            return slotIsWhole();
        }
        if (field_ == kRecordFields.size()) {  // after Email: a resume date, or the next slot
            const auto resume = compactedValue(line, SlotField::ResumeDate, number_);
            nextSlot();
            if (resume) return !resume->empty();
        }
        const auto value = compactedValue(line, kRecordFields[field_], number_);
        if (!value || (field_ == 0 && (value->empty() || *value == kEndSentinel))) return false;
        ++field_;
        return true;
    }
    // No slot was left half written (an empty section is compact: there is nothing to move).
    bool slotIsWhole() const { return field_ == 0 || field_ == kRecordFields.size(); }

private:
    void nextSlot() {
        field_ = 0;
        number_ = std::to_string(++slot_);
    }
    int slot_ = 1;
    std::string number_ = "1";
    std::size_t field_ = 0;
    bool trailing_ = false;
};

}  // namespace

bool isCompactIn(const IniDocument& doc) {
    if (doc.hasSection(kScratchSection)) return false;
    CompactedLines expected;
    return doc.everyLineOf(kRecordSection, [&](std::string_view line) { return expected.accept(line); }) &&
           expected.slotIsWhole();
}

bool hasAnyRecordIn(const IniDocument& doc) {
    const RecordSlots slots = recordSlotsOf(doc);
    for (int slot = 1;; ++slot) {
        const std::string surname = slots.read(slot, SlotField::Surname, kAnyRecordSentinel);
        if (surname == kAnyRecordSentinel) return false;
        if (!surname.empty()) return true;
    }
}

std::vector<BirthdayRecord> RecordStore::readAll() const { return readAllRecordsIn(snapshot(path_)); }

std::optional<BirthdayRecord> RecordStore::find(const RecordIdentity& who) const {
    return findRecordIn(snapshot(path_), who);
}

int RecordStore::firstFreeSlot() const { return firstFreeSlotIn(snapshot(path_)); }

Result<> RecordStore::writeRecord(int slot, const BirthdayRecord& record) const {
    return commit(path_, [&](IniDocument& doc) { writeRecordIn(doc, slot, record); });
}

Result<> RecordStore::addRecord(const BirthdayRecord& record) const { return addRecords({record}); }

Result<> RecordStore::addRecords(const std::vector<BirthdayRecord>& records) const {
    return commit(path_, [&](IniDocument& doc) { addRecordsIn(doc, records); });
}

namespace {

// Nobody found, nothing written: the file is not even rewritten in the commit's own form.
template <typename Edit>
Result<RecordChange> commitRecordChange(const std::string& path, Edit edit) {
    bool found = false;
    const Result<> committed = commitIfEdited(path, [&](IniDocument& doc) { return found = edit(doc); });
    if (!committed) return committed.failure();
    return found ? RecordChange::Done : RecordChange::NotFound;
}

}  // namespace

Result<RecordChange> RecordStore::modifyRecord(const RecordIdentity& old, const BirthdayRecord& updated) const {
    return commitRecordChange(path_, [&](IniDocument& doc) { return modifyRecordIn(doc, old, updated); });
}

Result<RecordChange> RecordStore::deleteRecord(const RecordIdentity& record) const {
    return commitRecordChange(path_, [&](IniDocument& doc) { return deleteRecordIn(doc, record); });
}

Result<> RecordStore::compact() const { return commit(path_, compactRecordsIn); }

bool hasAnyRecord(const std::string& path) { return hasAnyRecordIn(snapshot(path)); }

}  // namespace velorine::store
