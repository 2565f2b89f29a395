// The automatic start of a user reminded by a desktop notification, whole processes: velorine PROG
// on a list of 10,000 people (name days on, a week of reminders, many due), on a session bus of its
// own with the tests' notification server. For each run: the time from the process's start to the
// Notify call reaching the server, and the resident memory of the process while it waits for the
// answer; then the notification expires and the run ends. Medians at the end.
//
// On a machine busy with other work the time depends on how long the process waited for a CPU: the
// kernel counts that wait (/proc/PID/schedstat, the main thread, velorine's gate included since the
// process stays the same across the hand-over), and the time without it is shown beside.
//
//   bench_notification [RUNS]    (15 by default)
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data_file_generator.h"
#include "private_session_bus.h"
#include "recording_notification_server.h"

using namespace velorine;
using namespace velorine::notify::testing;

namespace {

long residentKilobytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

struct SchedulerTimes {
    double running = 0;  // milliseconds on a CPU
    double waiting = 0;  // milliseconds ready to run, waiting for a CPU
};

SchedulerTimes schedulerTimes(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/schedstat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QList<QByteArray> fields = file.readAll().split(' ');
    if (fields.size() < 2) return {};
    return {fields[0].toDouble() / 1e6, fields[1].toDouble() / 1e6};
}

template <class T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int fail(const char* what) {
    std::fprintf(stderr, "échec : %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    QTemporaryDir home;
    QDir().mkpath(home.filePath("data/velorine"));
    QDir().mkpath(home.filePath("run"));
    std::string list = bench::generateDataFile(10000);
    const std::string option = "RappelFete=1\r\n";
    list.insert(list.find(option) + option.size(), "Notification=1\r\n");
    QFile file(home.filePath("data/velorine/velor.ini"));
    if (!file.open(QIODevice::WriteOnly)) return fail("la liste ne peut pas être écrite");
    file.write(list.data(), static_cast<qint64>(list.size()));
    file.close();

    PrivateSessionBus bus;
    RecordingNotificationServer server(
        bus.connect(QStringLiteral("server")),
        {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")});
    if (!server.isServing()) return fail("pas de bus de session");
    QProcessEnvironment environment;
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", home.filePath("run"));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    environment.insert("PATH", "/usr/bin:/bin");

    std::vector<double> milliseconds;
    std::vector<double> withoutWaiting;
    std::vector<double> running;
    std::vector<long> kilobytes;
    for (int run = 1; run <= runs; ++run) {
        QProcess velorine;
        velorine.setProcessEnvironment(environment);
        const auto start = std::chrono::steady_clock::now();
        velorine.start(QStringLiteral(VELORINE_BINARY), {QStringLiteral("PROG")});
        if (!server.waitForCalls(static_cast<std::size_t>(run))) return fail("pas de notification");
        const NotifyCall call = server.calls.back();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(call.received - start).count());
        // Blocked on the server's answer since: these are the times of the start.
        const SchedulerTimes times = schedulerTimes(velorine.processId());
        withoutWaiting.push_back(milliseconds.back() - times.waiting);
        running.push_back(times.running);
        // Settled, waiting for the answer.
        QTest::qWait(500);
        kilobytes.push_back(residentKilobytes(velorine.processId()));
        server.close(call.id, Expired);
        if (!velorine.waitForFinished(10000) || velorine.exitCode() != 0) return fail("le programme n'a pas fini");
        std::printf(
            "run %2d : %6.1f ms jusqu'à Notify (%5.1f ms sans l'attente d'un processeur, %5.1f ms de calcul), "
            "%5.1f Mo résidents en attente\n",
            run, milliseconds.back(), withoutWaiting.back(), running.back(), kilobytes.back() / 1024.0);
    }
    std::printf(
        "médianes : %.1f ms du démarrage à Notify (objectif <= 100 ; %.1f ms sans l'attente d'un processeur, "
        "%.1f ms de calcul), %.1f Mo résidents en attente (objectif <= 30), %zu lignes dans la notification\n",
        median(milliseconds), median(withoutWaiting), median(running), median(kilobytes) / 1024.0,
        static_cast<std::size_t>(server.calls.back().body.count(QLatin1Char('\n')) + 1));
    return 0;
}
