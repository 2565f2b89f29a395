// The address book in and the calendar out, on 10,000 people: reading the cards, the import into
// an empty list and into one that already has them all, and the calendar with and without name
// days.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unistd.h>

#include "address_book_generator.h"
#include "contacts/calendar_export.h"
#include "contacts/contact_import.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "store/record_store.h"

namespace velorine::bench {
namespace {

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
    for (auto _ : state) benchmark::DoNotOptimize(contacts::readVcardFile(fixture.book()));
}
BENCHMARK(BM_ReadAddressBook)->Arg(10000)->Unit(benchmark::kMillisecond);

// What the menu item and velorine-contacts do: the book read, its people committed to the list.
void BM_ImportIntoAnEmptyList(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.emptyList();
        state.ResumeTiming();
        const contacts::VcardReading reading = contacts::readVcardFile(fixture.book());
        benchmark::DoNotOptimize(contacts::importCards(fixture.dataFile(), reading.book->cards));
    }
}
BENCHMARK(BM_ImportIntoAnEmptyList)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same book again: every card compared with the list and none added.
void BM_ImportIntoAListThatHasThemAll(benchmark::State& state) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)));
    contacts::importCards(fixture.dataFile(), contacts::readVcardFile(fixture.book()).book->cards);
    for (auto _ : state) {
        const contacts::VcardReading reading = contacts::readVcardFile(fixture.book());
        const contacts::ImportOutcome outcome = contacts::importCards(fixture.dataFile(), reading.book->cards);
        if (outcome.added != 0) state.SkipWithError("the second import added people");
    }
}
BENCHMARK(BM_ImportIntoAListThatHasThemAll)->Arg(10000)->Unit(benchmark::kMillisecond);

// A list of as many people as there are cards.
void exportList(benchmark::State& state, const reminders::NameDayList* nameDays) {
    const ContactsFixture fixture(static_cast<int>(state.range(0)), Birthdays::Always);
    contacts::importCards(fixture.dataFile(), contacts::readVcardFile(fixture.book()).book->cards);
    const std::vector<store::BirthdayRecord> records = store::RecordStore(fixture.dataFile()).readAll();
    for (auto _ : state) {
        const contacts::CalendarExport written =
            contacts::exportCalendar(fixture.calendar(), contacts::recordsOf(records), nameDays, 1796000000);
        if (written.failure != store::Failure::None) state.SkipWithError("the calendar was not written");
        state.counters["birthdays"] = written.birthdays;
        state.counters["name_days"] = written.nameDays;
    }
}

void BM_ExportWithNameDays(benchmark::State& state) { exportList(state, &reminders::builtInNameDays()); }
BENCHMARK(BM_ExportWithNameDays)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportBirthdaysOnly(benchmark::State& state) { exportList(state, nullptr); }
BENCHMARK(BM_ExportBirthdaysOnly)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velorine::bench

BENCHMARK_MAIN();
