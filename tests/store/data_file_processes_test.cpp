// Several processes on one data file at once, and processes killed in the middle of a write.
#include "store/data_file.h"
#include "store/record_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "support/numbered.h"
#include "support/temp_dir.h"

namespace velorine::store {
namespace {

using testing::numbered;
using testing::TempDir;

TEST(DataFileProcesses, ConcurrentWritersLoseNoKey) {
    TempDir dir;
    const std::string file = dir.file("velor.ini");
    constexpr int kWriters = 8;
    constexpr int kKeysEach = 200;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            bool ok = true;
            for (int k = 0; k < kKeysEach; ++k)
                ok = writeValue(file, "Keys", numbered("w", w).append(numbered("k", k)), "v") && ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const IniDocument doc = snapshot(file);
    int found = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeysEach; ++k)
            found += doc.find("Keys", numbered("w", w).append(numbered("k", k))).has_value();
    EXPECT_EQ(found, kWriters * kKeysEach);
}

TEST(DataFileProcesses, ReadersNeverSeeHalfACommit) {
    TempDir dir;
    const std::string file = dir.file("velor.ini");
    ASSERT_TRUE(commit(file, [](IniDocument& doc) {
        doc.write("A", "first", "0");
        doc.write("A", "second", "0");
    }));
    const pid_t writer = ::fork();
    if (writer == 0) {
        bool ok = true;
        for (int i = 1; i <= 300; ++i) {
            ok = commit(file,
                        [i](IniDocument& doc) {
                            doc.write("A", "first", std::to_string(i));
                            doc.write("A", "padding", std::string(static_cast<std::size_t>(i % 7) * 1000, 'p'));
                            doc.write("A", "second", std::to_string(i));
                        }) &&
                 ok;
        }
        _exit(ok ? 0 : 1);
    }
    int mismatches = 0;
    int status = 0;
    while (::waitpid(writer, &status, WNOHANG) == 0) {
        const IniDocument doc = snapshot(file);
        mismatches += doc.read("A", "first", "?", 16) != doc.read("A", "second", "!", 16);
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(snapshot(file).read("A", "second", "", 16), "300");
}

// A list read while another program rewrites it comes from one state of the file: all its records
// carry the same generation.
TEST(DataFileProcesses, ReadingAllRecordsSeesOneStateOfTheFile) {
    TempDir dir;
    const std::string file = dir.file("velor.ini");
    const RecordStore store(file);
    auto generation = [](int g) {
        std::vector<BirthdayRecord> records;
        for (int i = 0; i < 20 + g % 5; ++i)
            records.push_back({"Nom" + std::to_string(g), "P", "01/01/2000",
                               std::string(static_cast<std::size_t>(g % 9) * 40, 'a'), ""});
        return records;
    };
    ASSERT_TRUE(commit(file, [&](IniDocument& doc) {
        doc.clearSection("Velorine");
        addRecordsIn(doc, generation(0));
    }));
    const pid_t writer = ::fork();
    if (writer == 0) {
        bool ok = true;
        for (int g = 1; g <= 200; ++g)
            ok = commit(file,
                        [&](IniDocument& doc) {
                            doc.clearSection("Velorine");
                            addRecordsIn(doc, generation(g));
                        }) &&
                 ok;
        _exit(ok ? 0 : 1);
    }
    int mixed = 0;
    int status = 0;
    while (::waitpid(writer, &status, WNOHANG) == 0) {
        const auto records = store.readAll();
        for (const auto& record : records) mixed += record.surname != records.front().surname;
        const int g = std::stoi(records.front().surname.substr(3));
        mixed += records.size() != generation(g).size();
    }
    EXPECT_EQ(mixed, 0);
}

// The child writes key after key and reports each one whose write returned; the parent waits for
// the first report, so every round confirms a write however slow the machine is, then kills the
// child at a random moment. Every reported key must be in the file, and the file must still parse
// whole.
TEST(DataFileProcesses, KillAtAnyMomentKeepsEveryReturnedWrite) {
    TempDir dir;
    const std::string file = dir.file("velor.ini");
    std::mt19937 random(20261208);
    std::set<std::string> confirmed;
    int nextKey = 0;
    for (int round = 0; round < 60; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            for (int k = nextKey;; ++k) {
                const std::string key = numbered("k", k);
                if (writeValue(file, "Keys", key, std::string(static_cast<std::size_t>(k % 50), 'x'))) {
                    const std::string line = key + "\n";
                    if (::write(pipeFds[1], line.data(), line.size()) < 0) _exit(1);
                }
            }
        }
        ::close(pipeFds[1]);
        std::string reported;
        char buffer[4096];
        while (reported.find('\n') == std::string::npos) {
            const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
            ASSERT_GT(got, 0) << "the child ended before its first write in round " << round;
            reported.append(buffer, static_cast<std::size_t>(got));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            reported.append(buffer, static_cast<std::size_t>(got));
        ::close(pipeFds[0]);
        for (std::size_t start = 0, end; (end = reported.find('\n', start)) != std::string::npos; start = end + 1)
            confirmed.insert(reported.substr(start, end - start));

        const std::string bytes = testing::readFile(file);
        ASSERT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << "round " << round;
        const IniDocument doc = IniDocument::parse(bytes);
        for (const auto& key : confirmed) ASSERT_TRUE(doc.find("Keys", key)) << key << " lost in round " << round;
        nextKey += 1000;
    }
    EXPECT_GE(confirmed.size(), 60u);
    // The next commit sweeps away the temporary files of the killed writers.
    ASSERT_TRUE(writeValue(file, "Keys", "after", "1"));
    // And a lock file a killed writer left is taken and removed with them.
    EXPECT_EQ(testing::listDirectory(dir.path()), "velor.ini ");
}

}  // namespace
}  // namespace velorine::store
