#include "win32/TempFolder.h"

#include <windows.h>

#include <stdexcept>

namespace {

// In UTF-16, so that names outside the code page that a test made go too.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder()
    : TempFolder([] {
          char temp[MAX_PATH];
          const DWORD length = GetTempPathA(MAX_PATH, temp);
          if (length == 0 || length >= MAX_PATH) {
              throw std::runtime_error("no temporary folder");
          }
          return std::string(temp, length);
      }()) {}

TempFolder::TempFolder(const std::string& parent) {
    static unsigned counter = 0;
    for (;;) {
        path_ = parent + "zub表" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create " + path_ + " (error " + std::to_string(GetLastError()) + ")");
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(WidePath(path_));
}

std::string ReadFileBytes(const std::string& path) {
    return ReadFileBytes(WidePath(path));
}

std::string ReadFileBytes(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open a file (error " + std::to_string(GetLastError()) + ")");
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    WriteFileBytes(WidePath(path), bytes);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create a file (error " + std::to_string(GetLastError()) + ")");
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        throw std::runtime_error("cannot write a file (error " + std::to_string(GetLastError()) + ")");
    }
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FileNamesIn(const std::string& folder) {
    return FileNamesIn(WidePath(folder));
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return names;
}

std::wstring WidePath(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

FilePath FilePathOf(const std::string& path) {
    const std::wstring wide = WidePath(path);
    return FilePath(std::u16string(wide.begin(), wide.end()));
}

TemporaryFolderAt::TemporaryFolderAt(const std::wstring& folder) {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
        wchar_t value[MAX_PATH + 1] = {};
        if (GetEnvironmentVariableW(name, value, MAX_PATH + 1) > 0) {
            kept_.emplace_back(name, value);
        }
        SetEnvironmentVariableW(name, folder.c_str());
    }
}

TemporaryFolderAt::~TemporaryFolderAt() {
    SetEnvironmentVariableW(L"TMP", nullptr);
    SetEnvironmentVariableW(L"TEMP", nullptr);
    for (const auto& [name, value] : kept_) {
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
}

std::vector<std::wstring> FilesInTemporaryFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH + 1, temp);
    return FileNamesIn(temp);
}
