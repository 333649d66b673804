#include "platform/save/SaveCopies.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <optional>

#include "platform/UniqueHandle.h"
#include "platform/disk/FileHandles.h"
#include "platform/text/WideText.h"

namespace {

// A copy's name: "~", the name of the file it is a copy of, ".", eight hexadecimal digits and
// ".tmp", as in "~p.zrt.0A1B2C3D.tmp". A complete copy about to be written into the file ends
// in ".zrt" instead, so that a user told of one left behind can open it as a project.
constexpr std::wstring_view CopyMark = L"~";
constexpr std::wstring_view CopyEnd = L".tmp";
constexpr std::wstring_view CompleteEnd = L".zrt";
constexpr std::size_t CopyDigits = 8;

std::size_t NameStart(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? 0 : separator + 1;
}

std::uint32_t NextCopyNumber() {
    static std::uint32_t count = 0;
    return (GetTickCount() * 2654435761u) ^ (GetCurrentProcessId() << 16) ^ ++count;
}

std::wstring CopyName(std::wstring_view fileName, std::uint32_t number) {
    wchar_t digits[CopyDigits + 1];
    std::swprintf(digits, CopyDigits + 1, L"%08X", number);
    return std::wstring(CopyMark) + std::wstring(fileName) + L"." + digits + std::wstring(CopyEnd);
}

bool IsHexDigit(wchar_t character) {
    return (character >= L'0' && character <= L'9') || (character >= L'A' && character <= L'F');
}

// Whether name is exactly what CopyName makes for fileName, with end in place of its own,
// whose letters may differ in case as Windows' names do.
bool IsCopyName(std::wstring_view name, std::wstring_view fileName, std::wstring_view end) {
    const std::size_t length = CopyMark.size() + fileName.size() + 1 + CopyDigits + end.size();
    if (name.size() != length || !name.starts_with(CopyMark) || !name.ends_with(end)) {
        return false;
    }
    const std::wstring_view named = name.substr(CopyMark.size(), fileName.size());
    if (CompareStringOrdinal(named.data(), static_cast<int>(named.size()), fileName.data(),
                             static_cast<int>(fileName.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    const std::wstring_view number = name.substr(CopyMark.size() + fileName.size());
    if (number[0] != L'.') {
        return false;
    }
    for (std::size_t digit = 1; digit <= CopyDigits; ++digit) {
        if (!IsHexDigit(number[digit])) {
            return false;
        }
    }
    return true;
}

// Whether the file at path holds exactly the bytes that copy holds from where it is read.
bool HoldsBytesOf(const std::wstring& path, HANDLE copy) {
    const UniqueFile file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER fileSize{};
    LARGE_INTEGER copySize{};
    if (!file || !GetFileSizeEx(file.get(), &fileSize) || !GetFileSizeEx(copy, &copySize) ||
        fileSize.QuadPart != copySize.QuadPart) {
        return false;
    }
    std::vector<char> held(1 << 20);
    std::vector<char> copied(held.size());
    for (;;) {
        DWORD heldRead = 0;
        DWORD copiedRead = 0;
        if (!ReadFile(file.get(), held.data(), static_cast<DWORD>(held.size()), &heldRead, nullptr) ||
            !ReadFile(copy, copied.data(), static_cast<DWORD>(copied.size()), &copiedRead, nullptr) ||
            heldRead != copiedRead || std::memcmp(held.data(), copied.data(), heldRead) != 0) {
            return false;
        }
        if (heldRead == 0) {
            return true;
        }
    }
}

// Removes the complete copy where the file at path holds its bytes: the save that wrote them
// there ended before it removed the copy. Answers whether the copy stays for the user to see:
// not where a running save holds it, which refuses the right to delete it.
bool KeepsUnwrittenCopy(const std::wstring& copy, const std::wstring& path) {
    const UniqueFile held(CreateFileW(LongPathForm(copy).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!held) {
        return false;
    }
    if (!HoldsBytesOf(path, held.get())) {
        // The file may be half-written, or written since by another program: neither is
        // overwritten from the copy, which is the user's to use.
        return true;
    }
    FILE_DISPOSITION_INFO removal{TRUE};
    SetFileInformationByHandle(held.get(), FileDispositionInfo, &removal, sizeof removal);
    return false;
}

// Removes the file at path where no handle holds it: a running save holds each file it made
// open, sharing whatever its own later handles or the profile functions need, but not an open
// that shares nothing.
void RemoveUnlessHeld(const std::wstring& path) {
    const UniqueFile unheld(CreateFileW(LongPathForm(path).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (unheld) {
        FILE_DISPOSITION_INFO removal{TRUE};
        SetFileInformationByHandle(unheld.get(), FileDispositionInfo, &removal, sizeof removal);
    }
}

// Calls each with the name of every file in folder (ending in a separator) that starts as a
// copy's name does.
template <typename Each>
void ForEachCopyIn(const std::wstring& folder, Each each) {
    WIN32_FIND_DATAW found;
    const UniqueSearch search(FindFirstFileW(LongPathForm(folder + std::wstring(CopyMark) + L"*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &found) != FALSE) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            each(std::wstring(found.cFileName));
        }
    }
}

// A work file in the temporary folder is named as a copy of a file of this name.
constexpr std::wstring_view WorkFileStem = L"zrt";

// The user's temporary folder, ending in a separator; nothing where the system gives none.
std::optional<std::wstring> WorkFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        return std::nullopt;
    }
    return std::wstring(folder, length);
}

}  // namespace

FilePath CopyNameBeside(const FilePath& path) {
    const std::wstring wide = Wide(path);
    const std::size_t nameStart = NameStart(wide);
    return PathOf(wide.substr(0, nameStart) + CopyName(std::wstring_view(wide).substr(nameStart), NextCopyNumber()));
}

FilePath CompleteNameOf(const FilePath& copy) {
    std::wstring wide = Wide(copy);
    return PathOf(wide.replace(wide.size() - CopyEnd.size(), CopyEnd.size(), CompleteEnd));
}

std::optional<FilePath> NewWorkFileName() {
    const std::optional<std::wstring> folder = WorkFolder();
    return folder ? std::optional<FilePath>(PathOf(*folder + CopyName(WorkFileStem, NextCopyNumber()))) : std::nullopt;
}

std::vector<FilePath> RemoveLeftSaveCopies(const FilePath& path) {
    const std::wstring wide = Wide(path);
    const std::wstring folder = wide.substr(0, NameStart(wide));
    const std::wstring fileName = wide.substr(folder.size());
    std::vector<FilePath> kept;
    ForEachCopyIn(folder, [&](const std::wstring& name) {
        const std::wstring copy = folder + name;
        if (IsCopyName(name, fileName, CopyEnd)) {
            RemoveUnlessHeld(copy);
        } else if (IsCopyName(name, fileName, CompleteEnd) && KeepsUnwrittenCopy(copy, wide)) {
            kept.push_back(PathOf(copy));
        }
    });
    return kept;
}

void RemoveLeftWorkFiles() {
    const std::optional<std::wstring> folder = WorkFolder();
    if (!folder) {
        return;
    }
    ForEachCopyIn(*folder, [&](const std::wstring& name) {
        if (IsCopyName(name, WorkFileStem, CopyEnd)) {
            RemoveUnlessHeld(*folder + name);
        }
    });
}
