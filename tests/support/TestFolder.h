#pragma once
// A folder of the test's own on the test drive, removed with everything in it
// when the test ends. Tests never work anywhere else. Paths are UTF-8.
#include <cstdint>
#include <string>
#include <vector>

std::string TestDriveRoot();  // VANTREL_TEST_ROOT, by default "T:\"

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // A folder or a file of bytes 0x42 inside this folder, with the given attributes.
    std::string MakeDir(const std::string& relative, unsigned long attributes = 0) const;
    std::string MakeFile(const std::string& relative, size_t size, unsigned long attributes = 0) const;

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteFilled(const std::string& path, size_t size, uint8_t value);
std::vector<uint8_t> ReadBytes(const std::string& path);  // shares with every other opener
bool Exists(const std::string& path);
std::vector<std::string> ListNames(const std::string& folder);  // without "." and ".."
void RemoveTree(const std::string& path);
