#include "platform/disk/FileNames.h"

#include <windows.h>

#include <optional>

#include "platform/Exception.h"
#include "platform/Texts.h"
#include "platform/UniqueHandle.h"
#include "platform/disk/FileHandles.h"
#include "platform/text/WideText.h"

namespace {

// An error about a name the user chose: "ファイル名 <name> <what>".
Exception NameError(std::wstring_view name, const std::string& what) {
    return Exception(NameErrorText + PathOf(name) + " " + what);
}

// A full path without the prefix the system's final paths carry.
std::wstring WithoutLongPathPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + path.substr(8);
    }
    if (path.starts_with(L"\\\\?\\")) {
        return path.substr(4);
    }
    return path;
}

}  // namespace

FilePath UsablePath(std::wstring_view name) {
    if (name.size() > LongestPath) {
        throw NameError(name, NameTooLongText + std::to_string(LongestPath) + NameCharactersText);
    }
    return PathOf(name);
}

std::string FileNameAsValue(std::wstring_view name, std::size_t maxBytes) {
    const std::optional<std::string> ansi = ExactAnsi(name);
    if (!ansi) {
        throw NameError(name, NameNotInCodePageText);
    }
    if (ansi->size() > maxBytes) {
        throw NameError(name, NameTooLongText + std::to_string(maxBytes) + NameBytesText);
    }
    return *ansi;
}

std::wstring FullPathName(std::wstring_view name) {
    const std::wstring given(name);
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? GetFullPathNameW(given.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size) {
        throw NameError(name, NoFullPathText);
    }
    full.resize(length);
    return full;
}

std::optional<FilePath> FinalPathOf(const FilePath& path) {
    const UniqueFile file(CreateFileW(SystemPath(path).c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return path;
    }
    return FinalPathOf(file.get());
}

std::optional<FilePath> FinalPathOf(void* file) {
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < final.size()) {
            final.resize(length);
            return PathOf(WithoutLongPathPrefix(final));
        }
        final.assign(length, L'\0');
    }
}
