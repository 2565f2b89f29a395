// The address book in and the calendar out, on 10,000 people: reading the cards, the import into
// an empty list and into one that already has them all, the calendar with its alarms, with and
// without name days, and the kept calendar when nothing changed; and a 9 MB card folded over
// 320,000 lines.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unistd.h>

#include "address_book_generator.h"
#include "contacts/calendar_export.h"
#include "contacts/calendar_upkeep.h"
#include "contacts/contact_import.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "store/data_file.h"
#include "store/record_store.h"

namespace velorine::bench {
namespace {

constexpr store::CalendarDate kToday{6, 12, 2026};

// A directory of the benchmark's own with the address book and the list's data file.
class ContactsFixture {
public:
    explicit ContactsFixture(int cards, Birthdays birthdays = Birthdays::Mostly) {
        char pattern[] = "/tmp/velorine-bench-XXXXXX";
        directory_ = ::mkdtemp(pattern);
        book_ = directory_ + "/carnet.vcf";
        dataFile_ = directory_ + "/velor.ini";
        calendar_ = directory_ + "/agenda.ics";
        std::ofstream(book_, std::ios::binary) << generateAddressBook(cards, birthdays);
        emptyList();
    }
    ~ContactsFixture() {
        for (const std::string& file : {book_, dataFile_, dataFile_ + ".lock", calendar_}) ::unlink(file.c_str());
        ::rmdir(directory_.c_str());
    }
    void emptyList() const { std::ofstream(dataFile_, std::ios::binary) << "[Velorine]\r\n"; }
    const std::string& book() const { return book_; }
    const std::string& dataFile() const { return dataFile_; }
    const std::string& calendar() const { return calendar_; }

private:
    std::string directory_, book_, dataFile_, calendar_;
};

void BM_ReadAddressBook(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(contacts::readVcardFile(fixture.book(), kToday));
}
BENCHMARK(BM_ReadAddressBook)->Arg(10000)->Unit(benchmark::kMillisecond);

// One card whose photo is folded over `lines` lines of 28 characters: 320,000 make 9 MB.
void BM_ReadAFoldedPhoto(benchmark::State& state) {
    std::string book = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roy;Eva;;;\r\nBDAY:1990-01-01\r\nPHOTO;ENCODING=b;TYPE=JPEG:";
    for (std::int64_t i = 0; i < state.range(0); ++i) book += "\r\n /9j/4AAQSkZJRgABAQEASABIAAD";
    book += "\r\nEND:VCARD\r\n";
    state.counters["megabytes"] = static_cast<double>(book.size()) / 1e6;
    for (auto _ : state) benchmark::DoNotOptimize(contacts::readVcards(book, kToday));
}
BENCHMARK(BM_ReadAFoldedPhoto)->Arg(320000)->Unit(benchmark::kMillisecond);

// What the menu item and velorine-contacts do: the book read, its people committed to the list.
void BM_ImportIntoAnEmptyList(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.emptyList();
        state.ResumeTiming();
        const contacts::VcardReading reading = contacts::readVcardFile(fixture.book(), kToday);
        benchmark::DoNotOptimize(contacts::importCards(fixture.dataFile(), reading.book->cards));
    }
}
BENCHMARK(BM_ImportIntoAnEmptyList)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same book again: every card compared with the list and none added.
void BM_ImportIntoAListThatHasThemAll(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)));
    contacts::importCards(fixture.dataFile(), contacts::readVcardFile(fixture.book(), kToday).book->cards);
    for (auto _ : state) {
        const contacts::VcardReading reading = contacts::readVcardFile(fixture.book(), kToday);
        const contacts::ImportOutcome outcome = contacts::importCards(fixture.dataFile(), reading.book->cards);
        if (outcome.added != 0) state.SkipWithError("the second import added people");
    }
}
BENCHMARK(BM_ImportIntoAListThatHasThemAll)->Arg(10000)->Unit(benchmark::kMillisecond);

// A list of as many people as there are cards, each event with its alarm a week before.
void exportList(benchmark::State& state, const reminders::NameDayList* nameDays) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)), Birthdays::Always);
    contacts::importCards(fixture.dataFile(), contacts::readVcardFile(fixture.book(), kToday).book->cards);
    const std::vector<store::BirthdayRecord> records = store::RecordStore(fixture.dataFile()).readAll();
    for (auto _ : state) {
        const contacts::CalendarExport written =
            contacts::exportCalendar(fixture.calendar(), contacts::recordsOf(records), {nameDays, 7, {}}, 1796000000);
        if (written.failure != store::Failure::None) state.SkipWithError("the calendar was not written");
        state.counters["birthdays"] = written.birthdays;
        state.counters["name_days"] = written.nameDays;
    }
}

void BM_ExportWithNameDays(benchmark::State& state) { exportList(state, &reminders::builtInNameDays()); }
BENCHMARK(BM_ExportWithNameDays)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportBirthdaysOnly(benchmark::State& state) { exportList(state, nullptr); }
BENCHMARK(BM_ExportBirthdaysOnly)->Arg(10000)->Unit(benchmark::kMillisecond);

// What every change of the list costs once the calendar is kept: the list read, its fingerprint
// compared with the calendar's, nothing written when they agree (an address changed).
void BM_KeptCalendarUpToDate(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)), Birthdays::Always);
    contacts::importCards(fixture.dataFile(), contacts::readVcardFile(fixture.book(), kToday).book->cards);
    if (!store::writeValue(fixture.dataFile(), "Agenda", "AJour", "1") ||
        !store::writeValue(fixture.dataFile(), "Agenda", "Fichier", fixture.calendar())) {
        state.SkipWithError("the option was not stored");
        return;
    }
    contacts::keepCalendarUpToDate(fixture.dataFile());
    for (auto _ : state) {
        if (contacts::keepCalendarUpToDate(fixture.dataFile()).result != contacts::UpkeepResult::UpToDate)
            state.SkipWithError("the calendar was written again");
    }
}
BENCHMARK(BM_KeptCalendarUpToDate)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velorine::bench

BENCHMARK_MAIN();
