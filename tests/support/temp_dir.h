#pragma once
// A private temporary directory for one test, removed with everything in it at the end.

#include <string>

namespace velorine::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// Whole content of a file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Writes bytes to a file, replacing it; aborts the test program on failure.
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Permission bits of a file (0 when absent), and its inode number, to tell a replaced file apart.
unsigned fileMode(const std::string& path);
unsigned long fileInode(const std::string& path);
// Names of the entries of a directory, sorted, without "." and "..".
std::string listDirectory(const std::string& path);

}  // namespace velorine::testing
