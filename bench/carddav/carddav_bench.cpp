// The sync with an address book online, measured in the program's own process against a real
// Radicale on 127.0.0.1 holding 1,000 cards (900 with a birthday):
//   - the first sync: every card listed, read and added to an empty list;
//   - a sync when nothing changed: one sync report with the token kept; and the same report
//     alone, to tell the server's share from the program's;
//   - a sync when nothing changed against a server that answers at once (hostile_server.py's
//     "/immobile/", over TLS): the program's own cost.
// Run by hand: build/bench/carddav/bench_carddav --benchmark_repetitions=9 (medians reported).

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>

#include "carddav/book_reader.h"
#include "carddav/sync_state.h"
#include "carddav/synchronisation.h"
#include "radicale_server.h"
#include "store/data_file.h"
#include "support/temp_dir.h"
#include "test_servers.h"

namespace {

using namespace velorine;
using namespace velorine::carddav;
using namespace velorine::carddav::testing;

constexpr store::CalendarDate kToday{9, 12, 2026};
constexpr int kCards = 1000;

struct Bench {
    RadicaleServer server;
    velorine::testing::TempDir dir;
    std::string book = server.url(QStringLiteral("/alice/amis/")).toString().toStdString();

    Bench() {
        std::vector<std::string> cards;
        for (int i = 0; i < kCards; ++i)
            cards.push_back(
                vcardOf("u" + std::to_string(i), "Nom" + std::to_string(i), "Prénom",
                        i % 10 == 9 ? "" : "1980-0" + std::to_string(1 + i % 9) + "-1" + std::to_string(i % 9)));
        Phone phone(server.url(), kUser, kPassword);
        if (phone.putBook(QStringLiteral("/alice/amis/"), cards) != 201) std::abort();
    }
    SyncRequest request(const std::string& file, const std::string& address,
                        const std::string& fingerprint = {}) const {
        return {
            dir.file(file), {address, kUser.toStdString(), {address}, fingerprint}, kPassword.toStdString(), kToday, {},
            nullptr};
    }
};

Bench& bench() {
    static Bench instance;
    return instance;
}

void BM_FirstSyncOfAThousandCards(benchmark::State& state) {
    const SyncRequest request = bench().request("premiere.ini", bench().book);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(request.dataFile);
        state.ResumeTiming();
        const SyncOutcome outcome = synchronise(request);
        if (!outcome.report || outcome.report->added != 900) state.SkipWithError("la synchronisation a échoué");
    }
}
BENCHMARK(BM_FirstSyncOfAThousandCards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_UnchangedSyncOfAThousandCards(benchmark::State& state) {
    const SyncRequest request = bench().request("immobile.ini", bench().book);
    synchronise(request);
    for (auto _ : state) {
        const SyncOutcome outcome = synchronise(request);
        if (!outcome.report || outcome.requests != 1) state.SkipWithError("la synchronisation a échoué");
    }
}
BENCHMARK(BM_UnchangedSyncOfAThousandCards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The server's share of the above: the one report it answers, with the token kept.
void BM_RadicaleAnswersTheUnchangedReport(benchmark::State& state) {
    const SyncRequest request = bench().request("immobile.ini", bench().book);
    synchronise(request);
    const std::string token = readSyncState(store::snapshot(request.dataFile)).book(bench().book)->syncToken;
    DavTransport dav({kUser, kPassword, {}}, {});
    for (auto _ : state) {
        const BookListing listing =
            listBook(dav, QUrl(QString::fromStdString(bench().book)), QString::fromStdString(token));
        if (listing.failure || !listing.present.empty()) state.SkipWithError("le rapport a échoué");
    }
}
BENCHMARK(BM_RadicaleAnswersTheUnchangedReport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_UnchangedSyncAgainstAnInstantServer(benchmark::State& state) {
    static velorine::testing::TempDir certificateDir;
    static const TestCertificate certificate = makeCertificate(certificateDir.path());
    static HostileServer server(certificate);
    const SyncRequest request = bench().request(
        "instantane.ini", server.url(QStringLiteral("/immobile/")).toString().toStdString(), certificate.fingerprint);
    synchronise(request);
    for (auto _ : state) {
        const SyncOutcome outcome = synchronise(request);
        if (!outcome.report || outcome.requests != 1) state.SkipWithError("la synchronisation a échoué");
    }
}
BENCHMARK(BM_UnchangedSyncAgainstAnInstantServer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
