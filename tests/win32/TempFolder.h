#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/disk/FilePath.h"

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Its name holds 表, whose second byte is a backslash, so every test that uses
// it also checks the program's handling of such paths.
class TempFolder {
public:
    TempFolder();
    // A fresh folder in parent instead, such as a drive's root, for a short path.
    explicit TempFolder(const std::string& parent);
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
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names of the files (not folders) in folder, in UTF-16.
std::vector<std::wstring> FileNamesIn(const std::string& folder);
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);
// A path in the ANSI code page, in UTF-16, and as the program's file path.
std::wstring WidePath(const std::string& path);
FilePath FilePathOf(const std::string& path);

// The temporary folder this program's calls see (TMP and TEMP), and the programs it starts
// inherit, set to folder until the object goes.
class TemporaryFolderAt {
public:
    explicit TemporaryFolderAt(const std::wstring& folder);
    ~TemporaryFolderAt();
    TemporaryFolderAt(const TemporaryFolderAt&) = delete;
    TemporaryFolderAt& operator=(const TemporaryFolderAt&) = delete;

private:
    std::vector<std::pair<std::wstring, std::wstring>> kept_;
};

// The names of the files in the temporary folder, where a save must leave nothing.
std::vector<std::wstring> FilesInTemporaryFolder();
