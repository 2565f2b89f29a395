#include "store/file_copy.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temp_dir.h"

namespace velorine::store {
namespace {

using testing::listDirectory;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class FileCopyTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string source = dir.file("velor.ini");
    std::string target = dir.file("Velorine.txt");
    void SetUp() override { writeFile(source, "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=L\xE9on\r\n"); }
};

TEST_F(FileCopyTest, CopiesEveryByteIntoAPrivateNewFile) {
    ASSERT_TRUE(copyFileReplacing(source, target));
    EXPECT_EQ(readFile(target), readFile(source));
    EXPECT_EQ(testing::fileMode(target), 0600u);
    EXPECT_EQ(listDirectory(dir.path()), "Velorine.txt velor.ini ");
}

TEST_F(FileCopyTest, ReplacingKeepsTheTargetsMode) {
    writeFile(target, "ancien contenu");
    ::chmod(target.c_str(), 0644);
    ASSERT_TRUE(copyFileReplacing(source, target));
    EXPECT_EQ(readFile(target), readFile(source));
    EXPECT_EQ(testing::fileMode(target), 0644u);
}

TEST_F(FileCopyTest, AReadOnlyTargetIsNotReplaced) {
    writeFile(target, "protégé");
    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(copyFileReplacing(source, target).failure(), Failure::ReadOnlyFile);
    EXPECT_EQ(readFile(target), "protégé");
}

TEST_F(FileCopyTest, IfAbsentRefusesAnExistingTarget) {
    writeFile(target, "en attente");
    EXPECT_EQ(copyFileIfAbsent(source, target).failure(), Failure::AlreadyExists);
    EXPECT_EQ(readFile(target), "en attente");
    EXPECT_EQ(listDirectory(dir.path()), "Velorine.txt velor.ini ");
    ::unlink(target.c_str());
    ASSERT_TRUE(copyFileIfAbsent(source, target));
    EXPECT_EQ(readFile(target), readFile(source));
    EXPECT_EQ(listDirectory(dir.path()), "Velorine.txt velor.ini ");
}

TEST_F(FileCopyTest, BytesHeldAreWrittenOnlyWhereNothingIs) {
    writeFile(target, "en attente");
    EXPECT_EQ(writeFileIfAbsent(target, "nouveau").failure(), Failure::AlreadyExists);
    EXPECT_EQ(readFile(target), "en attente");
    ::unlink(target.c_str());
    ASSERT_TRUE(writeFileIfAbsent(target, "nouveau"));
    EXPECT_EQ(readFile(target), "nouveau");
    EXPECT_EQ(testing::fileMode(target), 0600u);
    EXPECT_EQ(listDirectory(dir.path()), "Velorine.txt velor.ini ");
}

TEST_F(FileCopyTest, FailuresLeaveTheTargetAloneAndSayWhy) {
    EXPECT_EQ(copyFileReplacing(dir.file("absent"), target).failure(), Failure::Missing);
    EXPECT_EQ(copyFileReplacing(dir.path(), target).failure(), Failure::Directory);  // a directory is no source
    EXPECT_FALSE(testing::fileExists(target));
    ::mkdir(target.c_str(), 0700);
    EXPECT_EQ(copyFileReplacing(source, target).failure(), Failure::Directory);  // nor a target
    EXPECT_EQ(copyFileReplacing(source, dir.file("absent/x.txt")).failure(), Failure::DirectoryMissing);
    // A directory that is there but makes no files is no missing one.
    EXPECT_EQ(copyFileReplacing(source, "/proc/Velorine.txt").failure(), Failure::PermissionDenied);
    EXPECT_EQ(listDirectory(dir.path()), "Velorine.txt velor.ini ");
}

}  // namespace
}  // namespace velorine::store
