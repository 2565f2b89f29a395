// Merging a list of 10,000 records through the main window's "&Fusionner": the whole command as
// the user waits for it (question and file answered at once, list file checked and read, records
// committed in one replace, layout saved, hand-over), into a data file of 0 or 10,000 records.
// The window is created, and the data file restored, outside the timing.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "data_file_generator.h"
#include "store/record_store.h"
#include "ui/main/main_window.h"
#include "ui/program.h"
#include "ui/user_dialogs.h"

namespace velorine::bench {
namespace {

// One slot in twenty is a hole: this many slots hold about 10,000 records.
constexpr int kListSlots = 10530;

// Yes to every question, the list file to every chooser, and no new instance.
class AnsweringDialogs final : public ui::UserDialogs {
public:
    explicit AnsweringDialogs(QString listFile) : listFile_(std::move(listFile)) {}
    void showMessage(ui::MessageIcon, const QString&, const QString& text) override {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    bool askYesNo(const QString&, const QString&) override { return true; }
    QString chooseFileToOpen(const ui::FileRequest&) override { return listFile_; }
    QString chooseFileToSave(const ui::FileRequest&) override { return {}; }
    QColor chooseColour(const QColor& preset) override { return preset; }
    bool openUrl(const QUrl&) override { return false; }
    bool hasProgramFor(const QString&) override { return false; }
    bool startProgram(const QStringList&) override { return true; }

private:
    QString listFile_;
};

class MergeRun {
public:
    explicit MergeRun(int dataRecords) {
        char pattern[] = "/tmp/velorine-bench-merge-XXXXXX";
        directory_ = ::mkdtemp(pattern);
        state_.dataFilePath = directory_ + "/velor.ini";
        state_.pendingFilePath = directory_ + "/velor.ouv";
        listPath_ = directory_ + "/liste.txt";
        dataBytes_ = dataRecords > 0 ? generateDataFile(dataRecords) : std::string("[Controle]\r\nVersion=2.0\r\n");
        std::ofstream(listPath_, std::ios::binary) << generateDataFile(kListSlots, 1958);
        dialogs_ = std::make_unique<AnsweringDialogs>(QString::fromStdString(listPath_));
        context_ = std::make_unique<ui::RunContext>(ui::RunContext{state_, "",
                                                                   [] {
                                                                       return store::CalendarDate{6, 12, 2026};
                                                                   },
                                                                   *dialogs_});
    }
    ~MergeRun() {
        for (const std::string& file : {state_.dataFilePath, state_.dataFilePath + ".lock", listPath_})
            ::unlink(file.c_str());
        ::rmdir(directory_.c_str());
    }
    void restore() const { std::ofstream(state_.dataFilePath, std::ios::binary) << dataBytes_; }
    ui::RunContext& context() { return *context_; }
    std::size_t records() const { return store::RecordStore(state_.dataFilePath).readAll().size(); }

private:
    std::string directory_, listPath_, dataBytes_;
    app::StartupState state_;
    std::unique_ptr<AnsweringDialogs> dialogs_;
    std::unique_ptr<ui::RunContext> context_;
};

void BM_MergeCommand(benchmark::State& state) {
    MergeRun run(static_cast<int>(state.range(0)));
    std::size_t merged = 0;
    for (auto _ : state) {
        state.PauseTiming();
        run.restore();
        auto windows = std::make_unique<ui::RunWindows>(ui::createWindows(run.context()));
        const std::size_t before = run.records();
        state.ResumeTiming();
        windows->mainWindow->Fusionner1Click();
        state.PauseTiming();
        merged = run.records() - before;
        windows.reset();
        state.ResumeTiming();
    }
    state.counters["records_merged"] = static_cast<double>(merged);
}
BENCHMARK(BM_MergeCommand)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace velorine::bench
