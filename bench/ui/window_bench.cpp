// The windows on a generated data file of 10,000 records, name days on: the main window (created
// with its list filled and sorted, filled again after an add, sorted by each column) and the
// reminder window (created, and each date command with its list built again), and the memory they
// take.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeView>

#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "data_file_generator.h"
#include "store/record_store.h"
#include "ui/main/main_window.h"
#include "ui/reminder/reminder_window.h"
#include "ui/program.h"
#include "ui/user_dialogs.h"

namespace velorine::bench {
namespace {

constexpr int kRecords = 10000;

// A dialogs seam that answers nothing: the benchmarks never ask.
class SilentDialogs final : public ui::UserDialogs {
public:
    void showMessage(ui::MessageIcon, const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString chooseFileToOpen(const ui::FileRequest&) override { return {}; }
    QString chooseFileToSave(const ui::FileRequest&) override { return {}; }
    QColor chooseColour(const QColor& preset) override { return preset; }
    bool openUrl(const QUrl&) override { return false; }
    bool hasProgramFor(const QString&) override { return false; }
    bool startProgram(const QStringList&) override { return false; }
};

class ListRun {
public:
    explicit ListRun(app::RunMode mode = app::RunMode::List) {
        char pattern[] = "/tmp/velorine-bench-ui-XXXXXX";
        directory_ = ::mkdtemp(pattern);
        state_.dataFilePath = directory_ + "/velor.ini";
        state_.mode = mode;
        state_.nameDayReminders = true;
        state_.referenceDate = {6, 12, 2026};
        bytes_ = generateDataFile(kRecords);
        restore();
        context_ = std::make_unique<ui::RunContext>(ui::RunContext{state_, "",
                                                                   [] {
                                                                       return store::CalendarDate{6, 12, 2026};
                                                                   },
                                                                   dialogs_});
    }
    ~ListRun() {
        ::unlink(state_.dataFilePath.c_str());
        ::unlink((state_.dataFilePath + ".lock").c_str());
        ::rmdir(directory_.c_str());
    }
    void restore() const { std::ofstream(state_.dataFilePath, std::ios::binary) << bytes_; }
    ui::RunContext& context() { return *context_; }

private:
    std::string directory_, bytes_;
    app::StartupState state_;
    SilentDialogs dialogs_;
    std::unique_ptr<ui::RunContext> context_;
};

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Creates and shows the windows of a run as a start does, until they are painted; the memory with
// them on screen.
ui::RunWindows timeWindowCreation(benchmark::State& state, ListRun& run) {
    for (auto _ : state) {
        {
            ui::RunWindows windows = ui::createWindows(run.context());
            windows.first->show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(windows.first);
            state.PauseTiming();
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    ui::RunWindows windows = ui::createWindows(run.context());
    windows.first->show();
    QCoreApplication::processEvents();
    state.counters["resident_MB"] = static_cast<double>(residentKilobytes()) / 1024.0;
    return windows;
}

void BM_CreateMainWindow(benchmark::State& state) {
    ListRun run;
    timeWindowCreation(state, run);
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RefillAfterAdd(benchmark::State& state) {
    ListRun run;
    ui::RunWindows windows = ui::createWindows(run.context());
    windows.first->show();
    const store::RecordStore store(run.context().startup.dataFilePath);
    for (auto _ : state) {
        state.PauseTiming();
        run.restore();
        state.ResumeTiming();
        if (!store.addRecord({"Nouveau", "Venu", "01/01/2000", "", ""}))
            state.SkipWithError("the record was not stored");
        windows.mainWindow->fillList();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RefillAfterAdd)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SortByColumn(benchmark::State& state) {
    ListRun run;
    ui::RunWindows windows = ui::createWindows(run.context());
    windows.first->show();
    const int column = static_cast<int>(state.range(0));
    const int other = column == 0 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        windows.mainWindow->ListViewColumnClick(other);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        windows.mainWindow->ListViewColumnClick(column);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortByColumn)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_CreateReminderWindow(benchmark::State& state) {
    ListRun run(app::RunMode::AutomaticReminder);
    const ui::RunWindows windows = timeWindowCreation(state, run);
    state.counters["lines"] = static_cast<double>(windows.reminderWindow->reminderEntries().size());
}
BENCHMARK(BM_CreateReminderWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One day forward, then back: each runs the activation steps, the reminder list built again.
void BM_ReminderDateCommand(benchmark::State& state) {
    ListRun run(app::RunMode::AutomaticReminder);
    ui::RunWindows windows = ui::createWindows(run.context());
    windows.first->show();
    QCoreApplication::processEvents();
    bool forward = true;
    for (auto _ : state) {
        if (forward)
            windows.reminderWindow->MenuItem1Click();
        else
            windows.reminderWindow->MenuItem2Click();
        forward = !forward;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ReminderDateCommand)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace velorine::bench
