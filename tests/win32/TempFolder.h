#pragma once

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Its name holds 表, whose second byte is a backslash, so every test that uses
// it also checks the program's handling of such paths.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The full path of name inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names of the files (not folders) in folder, in UTF-16.
std::vector<std::wstring> FileNamesIn(const std::string& folder);
// A path in the ANSI code page, in UTF-16.
std::wstring WidePath(const std::string& path);
