// The record store on generated data files of 1,000 to 100,000 slots.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unistd.h>

#include "data_file_generator.h"
#include "store/data_file.h"
#include "store/record_store.h"

namespace velorine::bench {
namespace {

class DataFileFixture {
public:
    explicit DataFileFixture(int records) {
        char pattern[] = "/tmp/velorine-bench-XXXXXX";
        directory_ = ::mkdtemp(pattern);
        path_ = directory_ + "/velor.ini";
        bytes_ = generateDataFile(records);
        restore();
    }
    ~DataFileFixture() {
        ::unlink(path_.c_str());
        ::unlink((path_ + ".lock").c_str());
        ::rmdir(directory_.c_str());
    }
    void restore() const { std::ofstream(path_, std::ios::binary) << bytes_; }
    const std::string& path() const { return path_; }

private:
    std::string directory_, path_, bytes_;
};

void BM_ReadAllRecords(benchmark::State& state) {
    DataFileFixture file(static_cast<int>(state.range(0)));
    const store::RecordStore store(file.path());
    for (auto _ : state) benchmark::DoNotOptimize(store.readAll());
}

void BM_Compact(benchmark::State& state) {
    DataFileFixture file(static_cast<int>(state.range(0)));
    const store::RecordStore store(file.path());
    for (auto _ : state) {
        state.PauseTiming();
        file.restore();
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.compact());
    }
}

void BM_AddThenDeleteRecord(benchmark::State& state) {
    DataFileFixture file(static_cast<int>(state.range(0)));
    const store::RecordStore store(file.path());
    const store::BirthdayRecord record{"Nouveau", "Jean", "01/01/2000", "1 rue Neuve", "n@exemple.fr"};
    for (auto _ : state) {
        if (!store.addRecord(record) || !store.deleteRecord({record.surname, record.firstName, record.birthDate}))
            state.SkipWithError("the file could not be written");
    }
    state.counters["per_operation_ms"] = benchmark::Counter(2e-3 * static_cast<double>(state.iterations()),
                                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SingleKeyRead(benchmark::State& state) {
    DataFileFixture file(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(store::readValue(file.path(), "Rappel", "Jours", "7", 10));
}

BENCHMARK(BM_ReadAllRecords)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compact)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddThenDeleteRecord)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleKeyRead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velorine::bench

BENCHMARK_MAIN();
