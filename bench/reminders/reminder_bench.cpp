// The reminder engine on generated data files of 10,000 and 100,000 slots, name days on, horizon 7.
//
// Run by hand: build-*/bench/reminders/bench_reminders
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unistd.h>

#include "data_file_generator.h"
#include "quiet_data_file.h"
#include "reminders/built_in_name_days.h"
#include "reminders/reminder_engine.h"
#include "store/data_file.h"

namespace velorine::bench {
namespace {

const store::CalendarDate kReference{10, 6, 2026};

class DataFileOnDisk {
public:
    explicit DataFileOnDisk(const std::string& bytes) {
        char pattern[] = "/tmp/velorine-bench-XXXXXX";
        directory_ = ::mkdtemp(pattern);
        path_ = directory_ + "/velor.ini";
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~DataFileOnDisk() {
        ::unlink(path_.c_str());
        ::rmdir(directory_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string directory_, path_;
};

// What the reminder window does at each activation: a fresh snapshot, then the list.
void BM_BuildReminderList(benchmark::State& state) {
    const DataFileOnDisk file(generateDataFile(static_cast<int>(state.range(0))));
    const reminders::NameDayList& nameDays = reminders::builtInNameDays();
    std::size_t entries = 0;
    for (auto _ : state) {
        const auto list = reminders::buildReminderList(store::snapshot(file.path()), nameDays, true, kReference);
        entries = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["entries"] = static_cast<double>(entries);
}

// The list alone, from a snapshot already in memory.
void BM_BuildReminderListFromSnapshot(benchmark::State& state) {
    const store::IniDocument snapshot = store::IniDocument::parse(generateDataFile(static_cast<int>(state.range(0))));
    const reminders::NameDayList& nameDays = reminders::builtInNameDays();
    for (auto _ : state) benchmark::DoNotOptimize(reminders::buildReminderList(snapshot, nameDays, true, kReference));
}

// The automatic start's worst case: nothing due, so every slot is looked at.
void BM_IsAnythingDueWithNothingDue(benchmark::State& state) {
    const DataFileOnDisk file(quietDataFile(static_cast<int>(state.range(0)), kReference));
    if (reminders::isAnythingDue(file.path(), true, kReference))
        state.SkipWithError("the quiet file has something due");
    for (auto _ : state) benchmark::DoNotOptimize(reminders::isAnythingDue(file.path(), true, kReference));
}

BENCHMARK(BM_BuildReminderList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildReminderListFromSnapshot)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsAnythingDueWithNothingDue)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velorine::bench

BENCHMARK_MAIN();
