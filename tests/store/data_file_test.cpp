#include "store/data_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/numbered.h"
#include "support/temp_dir.h"

namespace velorine::store {
namespace {

using testing::listDirectory;
using testing::numbered;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// Runs `body` in a child process and returns its exit status; the child runs as an unprivileged
// user when the tests run as root, so that permissions apply to it.
int inChildProcess(const std::function<int()>& body, bool unprivileged = false) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(99);
        _exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

class DataFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.file("velor.ini");
};

TEST_F(DataFileTest, MissingFileReadsAsEmptyAndFirstWriteCreatesItPrivate) {
    EXPECT_EQ(readValue(file, "Controle", "Version", "none", 16), "none");
    ASSERT_TRUE(writeValue(file, "Controle", "Version", "2.0"));
    EXPECT_EQ(readFile(file), "[Controle]\r\nVersion=2.0\r\n");
    EXPECT_EQ(testing::fileMode(file), 0600u);
    EXPECT_EQ(readValue(file, "controle", "VERSION", "none", 16), "2.0");
}

TEST_F(DataFileTest, ReplaceKeepsTheModeAndLeavesNoTemporaryFile) {
    writeFile(file, "[A]\r\nx=1\r\n");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeValue(file, "A", "y", "2"));
    ASSERT_TRUE(replaceSection(file, "A"));
    EXPECT_EQ(readFile(file), "[A]\r\n");
    EXPECT_EQ(testing::fileMode(file), 0640u);
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
}

TEST_F(DataFileTest, NoStateIsKeptBetweenOperations) {
    ASSERT_TRUE(writeValue(file, "A", "x", "1"));
    writeFile(file, "[A]\r\nx=changed behind our back\r\n");
    EXPECT_EQ(readValue(file, "A", "x", "", 128), "changed behind our back");
    ASSERT_TRUE(writeValue(file, "A", "y", "2"));
    EXPECT_EQ(readFile(file), "[A]\r\nx=changed behind our back\r\ny=2\r\n");
}

TEST_F(DataFileTest, ACommitThatChangesNothingWritesNothing) {
    writeFile(file, "[Controle]\r\nVersion=2.0\r\n");
    const ino_t before = testing::fileInode(file);
    ASSERT_TRUE(writeValue(file, "Controle", "Version", "2.0"));
    EXPECT_EQ(testing::fileInode(file), before);
    ASSERT_TRUE(writeValue(file, "Controle", "Version", "3.0"));
    EXPECT_NE(testing::fileInode(file), before);
}

TEST_F(DataFileTest, ManyKeysGoInOneReplace) {
    writeFile(file, "[A]\r\n");
    const ino_t before = testing::fileInode(file);
    ASSERT_TRUE(commit(file, [](IniDocument& doc) {
        for (int i = 0; i < 1000; ++i) doc.write("A", numbered("k", i), std::to_string(i));
    }));
    EXPECT_NE(testing::fileInode(file), before);
    const IniDocument doc = snapshot(file);
    EXPECT_EQ(doc.read("A", "k0", "", 16), "0");
    EXPECT_EQ(doc.read("A", "k999", "", 16), "999");
}

TEST_F(DataFileTest, ReadOnlyFileIsLeftIntact) {
    writeFile(file, "[A]\r\nx=1\r\n");
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(writeValue(file, "A", "x", "2"));
    EXPECT_FALSE(replaceSection(file, "A"));
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
}

TEST_F(DataFileTest, MissingDirectoryFailsCleanly) {
    EXPECT_FALSE(writeValue(dir.file("absent/velor.ini"), "A", "x", "1"));
    EXPECT_EQ(listDirectory(dir.path()), "");
}

TEST_F(DataFileTest, APathThatIsADirectoryIsNeverReplaced) {
    ::mkdir(file.c_str(), 0700);
    EXPECT_FALSE(writeValue(file, "A", "x", "1"));
    EXPECT_EQ(readValue(file, "A", "x", "default", 16), "default");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(DataFileTest, ANamedPipeIsNeitherWaitedForNorReplaced) {
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(readValue(file, "A", "x", "default", 16), "default");
    EXPECT_FALSE(writeValue(file, "A", "x", "1"));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(DataFileTest, AReadThatFailsSaysWhy) {
    writeFile(file, "[A]\r\nx=1\r\n");
    const std::string pipe = dir.file("tube");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::uintmax_t largest;
        Failure failure;
    } cases[] = {
        {file, kLargestDataFile, Failure::None},
        {dir.file("absent"), kLargestDataFile, Failure::Missing},
        {file + "/velor.ini", kLargestDataFile, Failure::DirectoryMissing},
        {dir.path(), kLargestDataFile, Failure::Directory},
        {pipe, kLargestDataFile, Failure::NotARegularFile},
        {file, 5, Failure::TooLarge},
    };
    for (const auto& c : cases) {
        const Result<IniDocument> content = readSnapshot(c.path, c.largest);
        EXPECT_EQ(content.failure(), c.failure) << c.path;
        EXPECT_EQ(static_cast<bool>(content), c.failure == Failure::None) << c.path;
    }
    ::chmod(file.c_str(), 0600);
    ::chmod(dir.path().c_str(), 0755);
    const int status = inChildProcess([&] { return readSnapshot(file).failure() == Failure::PermissionDenied ? 0 : 1; },
                                      /*unprivileged=*/true);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(status, 0);
}

TEST_F(DataFileTest, ReadOnlyDirectoryFailsCleanly) {
    writeFile(file, "[A]\r\nx=1\r\n");
    writeFile(file + ".lock", "");
    ::chmod(file.c_str(), 0666);
    ::chmod((file + ".lock").c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    const int status = inChildProcess([&] { return writeValue(file, "A", "x", "2") ? 1 : 0; },
                                      /*unprivileged=*/true);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini velor.ini.lock ");
}

TEST_F(DataFileTest, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
    writeFile(file, "[A]\r\nx=1\r\n");
    const int status = inChildProcess([&] {
        // The file size limit makes write() fail part-way, as a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return writeValue(file, "A", "x", std::string(4096, 'v')) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
}

TEST_F(DataFileTest, ACommitThatFailsSaysWhy) {
    writeFile(file, "[A]\r\nx=1\r\n");
    ::chmod(file.c_str(), 0444);
    const std::string directory = dir.file("dossier");
    ASSERT_EQ(::mkdir(directory.c_str(), 0700), 0);
    const std::string pipe = dir.file("tube");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = dir.file("huge.ini");  // sparse: takes no room on the disk
    writeFile(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kLargestDataFile) + 1), 0);
    const struct {
        std::string path;
        Failure failure;
    } cases[] = {
        {dir.file("new.ini"), Failure::None},
        {file, Failure::ReadOnlyFile},
        {dir.file("absent/velor.ini"), Failure::DirectoryMissing},
        {file + "/velor.ini", Failure::DirectoryMissing},
        {directory, Failure::Directory},
        {pipe, Failure::NotARegularFile},
        {huge, Failure::TooLarge},
    };
    for (const auto& c : cases) {
        const Result<> written = writeValue(c.path, "A", "x", "2");
        EXPECT_EQ(static_cast<bool>(written), c.failure == Failure::None) << c.path;
        EXPECT_EQ(written.failure(), c.failure) << c.path;
    }
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
}

TEST_F(DataFileTest, ACommitTellsAWriteCutShortAndAForbiddenDirectoryApart) {
    writeFile(file, "[A]\r\nx=1\r\n");
    const int cutShort = inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return static_cast<int>(writeValue(file, "A", "x", std::string(4096, 'v')).failure());
    });
    EXPECT_EQ(cutShort, static_cast<int>(Failure::TooLarge));

    ::chmod(dir.path().c_str(), 0555);
    const int forbidden =
        inChildProcess([&] { return static_cast<int>(writeValue(dir.file("other.ini"), "A", "x", "1").failure()); },
                       /*unprivileged=*/true);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(forbidden, static_cast<int>(Failure::PermissionDenied));
}

TEST_F(DataFileTest, AHeldLockIsWaitedForABoundedTimeOnly) {
    writeFile(file, "[A]\r\nx=1\r\n");
    // flock locks belong to an open file: a second open in this very process is another holder.
    const int holder = ::open(lockFilePath(file).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const auto start = std::chrono::steady_clock::now();
    const Result<> written = writeValue(file, "A", "x", "2");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(written.failure(), Failure::LockHeld);
    EXPECT_GE(waited, kLockWait);
    EXPECT_LT(waited, kLockWait + std::chrono::seconds(1));
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
    ::close(holder);
    EXPECT_TRUE(writeValue(file, "A", "x", "2"));
}

TEST_F(DataFileTest, ALockFileThatCannotBeOpenedIsTheCause) {
    writeFile(file, "[A]\r\nx=1\r\n");
    const std::string elsewhere = dir.file("ailleurs");
    for (const auto& plant :
         {std::function<void()>([&] { ::mkdir(lockFilePath(file).c_str(), 0700); }),
          std::function<void()>([&] { ::symlink(elsewhere.c_str(), lockFilePath(file).c_str()); })}) {
        plant();
        EXPECT_EQ(writeValue(file, "A", "x", "2").failure(), Failure::LockNotAFile);
        EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
        EXPECT_FALSE(testing::fileExists(elsewhere));
        ::rmdir(lockFilePath(file).c_str());
        ::unlink(lockFilePath(file).c_str());
    }
}

TEST_F(DataFileTest, ALockFileLastsOnlyWhileACommitHoldsIt) {
    // One left by a commit that was killed is taken, then removed like any other.
    writeFile(lockFilePath(file), "");
    ASSERT_TRUE(writeValue(file, "A", "x", "1"));
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
    // A commit that changes nothing, or that fails, leaves none either.
    ASSERT_TRUE(writeValue(file, "A", "x", "1"));
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(writeValue(file, "A", "x", "2"));
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
}

TEST_F(DataFileTest, AnEditThatLeavesNothingCreatesNoFile) {
    EXPECT_TRUE(writeValue(file, "A", "", "v"));  // a key that is never written
    EXPECT_TRUE(commit(file, [](IniDocument&) {}));
    EXPECT_FALSE(testing::fileExists(file));
    EXPECT_EQ(listDirectory(dir.path()), "");
}

TEST_F(DataFileTest, AnEditThatFindsNothingToDoLeavesTheFileAsItIs) {
    const auto nothingToDo = [](IniDocument&) { return false; };
    writeFile(file, "[A]\nx=1\n");  // LF lines, which a commit would write as CR LF
    EXPECT_TRUE(commitIfEdited(file, nothingToDo));
    EXPECT_EQ(readFile(file), "[A]\nx=1\n");
    writeFile(file, "pas de section\n");  // no settings file: refused only for a change
    EXPECT_TRUE(commitIfEdited(file, nothingToDo));
    EXPECT_EQ(commitIfEdited(file, [](IniDocument&) { return true; }).failure(), Failure::NotSettings);
    EXPECT_EQ(readFile(file), "pas de section\n");
    ::unlink(file.c_str());
    EXPECT_TRUE(commitIfEdited(file, nothingToDo));
    EXPECT_FALSE(testing::fileExists(file));
}

TEST(FailureFromErrno, NamesTheCausesAUserCanActOn) {
    const std::pair<int, Failure> cases[] = {
        {ENOSPC, Failure::DiskFull},
        {EDQUOT, Failure::DiskFull},
        {EACCES, Failure::PermissionDenied},
        {EPERM, Failure::PermissionDenied},
        {EROFS, Failure::ReadOnlyFileSystem},
        {ENOENT, Failure::Missing},
        {ENOTDIR, Failure::DirectoryMissing},
        {EISDIR, Failure::Directory},
        {EEXIST, Failure::AlreadyExists},
        {EFBIG, Failure::TooLarge},
        {EIO, Failure::IoError},
        {EINVAL, Failure::IoError},
        {0, Failure::None},
    };
    for (const auto& [error, failure] : cases) EXPECT_EQ(failureFromErrno(error), failure) << error;
    // A name missing while a file is made is its directory.
    EXPECT_EQ(creationFailureFromErrno(ENOENT), Failure::DirectoryMissing);
    EXPECT_EQ(creationFailureFromErrno(ENOSPC), Failure::DiskFull);
}

TEST_F(DataFileTest, SymbolicLinkIsFollowed) {
    const std::string real = dir.file("real.ini");
    writeFile(real, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::symlink(real.c_str(), file.c_str()), 0);
    ASSERT_TRUE(writeValue(file, "A", "x", "2"));
    EXPECT_EQ(readFile(real), "[A]\r\nx=2\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(DataFileTest, AFileThatIsNoSettingsFileIsNeitherReadNorReplaced) {
    const std::string utf16("\xFF\xFE[\0A\0]\0\r\0\n\0", 12);
    writeFile(file, utf16);
    EXPECT_EQ(readSnapshot(file).failure(), Failure::NotSettings);
    EXPECT_EQ(writeValue(file, "Controle", "Version", "2.0").failure(), Failure::NotSettings);
    EXPECT_EQ(readFile(file), utf16);
    writeFile(file, "\r\n\r\n");
    EXPECT_TRUE(readSnapshot(file));
    EXPECT_TRUE(writeValue(file, "Controle", "Version", "2.0"));
}

TEST_F(DataFileTest, ADanglingLinkIsNeverReplaced) {
    ASSERT_EQ(::symlink(dir.file("disque/velor.ini").c_str(), file.c_str()), 0);
    EXPECT_EQ(writeValue(file, "Controle", "Version", "2.0").failure(), Failure::DanglingLink);
    EXPECT_EQ(readSnapshot(file).failure(), Failure::DanglingLink);
    EXPECT_EQ(linkTarget(file), dir.file("disque/velor.ini"));
    EXPECT_EQ(listDirectory(dir.path()), "velor.ini ");
    writeFile(dir.file("velor.ouv"), "[Velorine]\r\n");
    EXPECT_EQ(adoptPendingFile(file, dir.file("velor.ouv")).failure(), Failure::DanglingLink);
    EXPECT_EQ(linkTarget(file), dir.file("disque/velor.ini"));
}

TEST_F(DataFileTest, ALinkToSomethingElseThanAFileLeavesNoLockBesideIt) {
    const std::string devices = dir.file("devices");
    ASSERT_EQ(::mkdir(devices.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo((devices + "/zero").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((devices + "/zero").c_str(), file.c_str()), 0);
    EXPECT_EQ(writeValue(file, "A", "x", "1").failure(), Failure::NotARegularFile);
    EXPECT_EQ(listDirectory(devices), "zero ");
}

// Files and links of another user need root to be made.
class OtherUsersFilesTest : public DataFileTest {
protected:
    static constexpr uid_t kOtherUser = 65534;
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
    }
};

TEST_F(OtherUsersFilesTest, AnotherUsersLinkInASharedDirectoryIsNotFollowed) {
    const std::string notes = dir.file("notes.txt");
    writeFile(notes, "[Notes]\nmes notes\n");
    const std::string shared = dir.file("partage");
    ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string planted = shared + "/velor.ini";
    ASSERT_EQ(::symlink(notes.c_str(), planted.c_str()), 0);
    ASSERT_EQ(::lchown(planted.c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_EQ(writeValue(planted, "Controle", "Version", "2.0").failure(), Failure::ForeignLink);
    EXPECT_EQ(readSnapshot(planted).failure(), Failure::ForeignLink);
    EXPECT_EQ(readFile(notes), "[Notes]\nmes notes\n");
    EXPECT_EQ(listDirectory(shared), "velor.ini ");

    // The same link in a directory only its owner writes is followed: nobody else could plant it.
    ::chmod(shared.c_str(), 0755);
    ::chown(notes.c_str(), ::geteuid(), ::getegid());
    EXPECT_TRUE(writeValue(planted, "Controle", "Version", "2.0"));
    EXPECT_EQ(readFile(notes), "[Notes]\r\nmes notes\r\n[Controle]\r\nVersion=2.0\r\n");
}

TEST_F(OtherUsersFilesTest, AnotherUsersFileIsNeverTakenOver) {
    writeFile(file, "[A]\r\nx=1\r\n");
    ::chmod(file.c_str(), 0666);
    ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_EQ(writeValue(file, "A", "x", "2").failure(), Failure::ForeignFile);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kOtherUser);
    EXPECT_EQ(readFile(file), "[A]\r\nx=1\r\n");
}

// The lock file of another user, or one of this user's without write permission: each told as it
// is, so that the user knows which file to remove and why.
TEST_F(OtherUsersFilesTest, ALockFileThatCannotServeIsToldAsItIs) {
    const std::string shared = dir.file("partage");
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ::chmod(shared.c_str(), 0777);
    ::chmod(dir.path().c_str(), 0755);
    const std::string list = shared + "/liste.ini";
    writeFile(list, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chown(list.c_str(), kOtherUser, kOtherUser), 0);
    const std::string lock = lockFilePath(list);
    const auto causeForTheOtherUser = [&] {
        return inChildProcess([&] { return static_cast<int>(writeValue(list, "A", "x", "2").failure()); },
                              /*unprivileged=*/true);
    };
    writeFile(lock, "");
    ::chmod(lock.c_str(), 0644);
    EXPECT_EQ(causeForTheOtherUser(), static_cast<int>(Failure::LockForeign));
    ASSERT_EQ(::chown(lock.c_str(), kOtherUser, kOtherUser), 0);
    ::chmod(lock.c_str(), 0444);
    EXPECT_EQ(causeForTheOtherUser(), static_cast<int>(Failure::LockReadOnly));
    ::chmod(lock.c_str(), 0644);
    EXPECT_EQ(causeForTheOtherUser(), static_cast<int>(Failure::None));
    EXPECT_EQ(listDirectory(shared), "liste.ini ");
    ::chmod(dir.path().c_str(), 0700);
}

TEST_F(DataFileTest, APendingFileThatIsALinkIsNotAdopted) {
    const std::string pending = dir.file("velor.ouv");
    const std::string target = dir.file("ailleurs.ini");
    writeFile(file, "[Velorine]\r\nNom1=Ancien\r\n");
    writeFile(target, "[Velorine]\r\nNom1=Nouveau\r\n");
    ::chmod(target.c_str(), 0644);
    ASSERT_EQ(::symlink(target.c_str(), pending.c_str()), 0);
    EXPECT_EQ(adoptPendingFile(file, pending).failure(), Failure::NotARegularFile);
    EXPECT_EQ(testing::fileMode(target), 0644u);
    EXPECT_EQ(readFile(file), "[Velorine]\r\nNom1=Ancien\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST_F(DataFileTest, PendingFileTakesThePlaceOfTheDataFile) {
    const std::string pending = dir.file("velor.ouv");
    writeFile(file, "[Velorine]\r\nNom1=Ancien\r\n");
    EXPECT_EQ(adoptPendingFile(file, pending).failure(), Failure::Missing);
    EXPECT_EQ(readFile(file), "[Velorine]\r\nNom1=Ancien\r\n");

    writeFile(pending, "[Velorine]\r\nNom1=Nouveau\r\n");
    ::chmod(pending.c_str(), 0644);
    ::chmod(file.c_str(), 0600);
    EXPECT_TRUE(adoptPendingFile(file, pending));
    EXPECT_EQ(readFile(file), "[Velorine]\r\nNom1=Nouveau\r\n");
    EXPECT_FALSE(testing::fileExists(pending));
    EXPECT_EQ(testing::fileMode(file), 0600u);
}

}  // namespace
}  // namespace velorine::store
