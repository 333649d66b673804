#include "platform/Win32SaveFiles.h"

#include <windows.h>

#include <aclapi.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string_view>
#include <vector>

#include "platform/WideText.h"

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// How a save's own handles share its copy: the profile functions may write it meanwhile, but
// nobody may delete it, which is how another save's clean-up knows a copy still in use.
constexpr DWORD ShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

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

struct Security {
    PSECURITY_DESCRIPTOR Descriptor = nullptr;
    PSID Owner = nullptr;
    PACL Permissions = nullptr;

    Security() = default;
    Security(const Security&) = delete;
    Security& operator=(const Security&) = delete;
    ~Security() { LocalFree(Descriptor); }

    bool Read(const std::wstring& path) {
        return GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                     OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &Owner, nullptr,
                                     &Permissions, nullptr, &Descriptor) == ERROR_SUCCESS;
    }
    // Whether the permissions are the file's own rather than taken from its folder.
    bool Protected() const {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return GetSecurityDescriptorControl(Descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    }
};

bool SameOwner(PSID a, PSID b) {
    return a == b || (a && b && EqualSid(a, b));
}

bool SamePermissions(PACL a, PACL b) {
    if (!a || !b) {
        return a == b;
    }
    if (a->AceCount != b->AceCount) {
        return false;
    }
    for (DWORD index = 0; index < a->AceCount; ++index) {
        void* first = nullptr;
        void* second = nullptr;
        if (!GetAce(a, index, &first) || !GetAce(b, index, &second)) {
            return false;
        }
        const WORD size = static_cast<const ACE_HEADER*>(first)->AceSize;
        if (size != static_cast<const ACE_HEADER*>(second)->AceSize || std::memcmp(first, second, size) != 0) {
            return false;
        }
    }
    return true;
}

// Gives replacement the owner and permissions of target where they differ; a copy made in the
// same folder mostly has them already.
bool CarrySecurity(const std::wstring& target, const std::wstring& replacement) {
    Security kept;
    Security made;
    if (!kept.Read(target) || !made.Read(replacement)) {
        return false;
    }
    const bool sameOwner = SameOwner(kept.Owner, made.Owner);
    if (sameOwner && SamePermissions(kept.Permissions, made.Permissions) && kept.Protected() == made.Protected()) {
        return true;
    }
    SECURITY_INFORMATION carried =
        DACL_SECURITY_INFORMATION |
        (kept.Protected() ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
    if (!sameOwner) {
        carried |= OWNER_SECURITY_INFORMATION;
    }
    return SetNamedSecurityInfoW(const_cast<wchar_t*>(replacement.c_str()), SE_FILE_OBJECT, carried, kept.Owner,
                                 nullptr, kept.Permissions, nullptr) == ERROR_SUCCESS;
}

class Search {
public:
    Search(const std::wstring& pattern, WIN32_FIND_DATAW& found) : handle_(FindFirstFileW(pattern.c_str(), &found)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& found) { return FindNextFileW(handle_, &found) != FALSE; }

private:
    HANDLE handle_;
};

// Whether the file at path holds exactly the bytes that copy holds from where it is read.
bool HoldsBytesOf(const std::wstring& path, HANDLE copy) {
    const FileHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
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
    const FileHandle held(CreateFileW(LongPathForm(copy).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
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

// Renames the file that handle holds open with the right to delete it, to the full path to.
bool RenameHeld(HANDLE file, const std::wstring& to) {
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, to.c_str(), (to.size() + 1) * sizeof(wchar_t));
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

}  // namespace

std::optional<std::string> FinalPathOf(const std::string& path) {
    const FileHandle file(CreateFileW(SystemPath(path).c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return path;
    }
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return path;
        }
        if (length < final.size()) {
            final.resize(length);
            return ExactAnsi(WithoutLongPathPrefix(final));
        }
        final.assign(length, L'\0');
    }
}

std::vector<std::string> RemoveLeftSaveCopies(const std::string& path) {
    const std::wstring wide = WidenAnsi(path);
    const std::wstring folder = wide.substr(0, NameStart(wide));
    const std::wstring fileName = wide.substr(folder.size());
    std::vector<std::string> kept;
    WIN32_FIND_DATAW found;
    Search search(LongPathForm(folder + std::wstring(CopyMark) + L"*"), found);
    for (bool more = static_cast<bool>(search); more; more = search.Next(found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            continue;
        }
        const std::wstring copy = folder + found.cFileName;
        if (IsCopyName(found.cFileName, fileName, CopyEnd)) {
            // A copy that a running save holds refuses.
            DeleteFileW(LongPathForm(copy).c_str());
        } else if (IsCopyName(found.cFileName, fileName, CompleteEnd) && KeepsUnwrittenCopy(copy, wide)) {
            kept.push_back(NearestAnsi(copy));
        }
    }
    return kept;
}

SaveFiles::Kind TWin32SaveFiles::Probe(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // Any other answer (no right to look, a busy device) leaves the copy to tell.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Kind::Missing : Kind::File;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return Kind::Folder;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) ? Kind::ReadOnlyFile : Kind::File;
}

bool TWin32SaveFiles::CanWrite(const std::string& path) {
    const FileHandle file(
        CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
}

std::optional<std::string> TWin32SaveFiles::FinalPath(const std::string& path) {
    return FinalPathOf(path);
}

bool TWin32SaveFiles::HasOtherNames(const std::string& path) {
    const FileHandle file(
        CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    return file && GetFileInformationByHandle(file.get(), &information) && information.nNumberOfLinks > 1;
}

void TWin32SaveFiles::RemoveLeftCopies(const std::string& path) {
    RemoveLeftSaveCopies(path);
}

std::optional<std::string> TWin32SaveFiles::CreateCopyBeside(const std::string& path) {
    const std::wstring wide = WidenAnsi(path);
    const std::size_t nameStart = NameStart(wide);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring copy = wide.substr(0, nameStart) + CopyName(wide.substr(nameStart), NextCopyNumber());
        // The folder and the file's name came from an ANSI name and the rest is ASCII, so the
        // copy's name has an exact ANSI form.
        const std::optional<std::string> ansi = ExactAnsi(copy);
        if (!ansi) {
            return std::nullopt;
        }
        // Made and held in one step, so that no clean-up can come between.
        const HANDLE made = CreateFileW(SystemPath(*ansi).c_str(), GENERIC_READ, ShareReadWrite, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made != INVALID_HANDLE_VALUE) {
            hold_.emplace(made);
            held_ = *ansi;
            return ansi;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> TWin32SaveFiles::NameComplete(const std::string& copy) {
    // A rename needs the right to delete, which the hold shares with no handle, not even one of
    // this save's: the hold is taken again with that right, which only the profile functions,
    // done with the copy by now, could not bear.
    Release(copy);
    std::wstring complete = WidenAnsi(copy);
    complete.replace(complete.size() - CopyEnd.size(), CopyEnd.size(), CompleteEnd);
    const std::optional<std::string> ansi = ExactAnsi(complete);
    const HANDLE held = CreateFileW(SystemPath(copy).c_str(), GENERIC_READ | DELETE, ShareReadWrite, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    hold_.emplace(held);
    held_ = copy;
    if (!ansi || !RenameHeld(held, SystemPath(*ansi))) {
        return std::nullopt;
    }
    held_ = *ansi;
    return ansi;
}

std::optional<std::string> TWin32SaveFiles::CreateWorkFile() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::optional<std::string> ansi = ExactAnsi(std::wstring(folder) + CopyName(L"zrt", NextCopyNumber()));
        if (!ansi) {
            return std::nullopt;
        }
        const FileHandle made(CreateFileW(WidenAnsi(*ansi).c_str(), GENERIC_WRITE, ShareReadWrite, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (made) {
            return ansi;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

SaveFiles::Written TWin32SaveFiles::Copy(const std::string& from, const std::string& to) {
    const FileHandle source(CreateFileW(SystemPath(from).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source) {
        return Written::Nothing;
    }
    // Another program may hold the file open, for reading or for writing, as long as it shares.
    const FileHandle sink(
        CreateFileW(SystemPath(to).c_str(), GENERIC_WRITE, ShareReadWrite, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!sink) {
        return Written::Nothing;
    }
    std::vector<char> buffer(1 << 20);
    bool begun = false;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            return begun ? Written::Part : Written::Nothing;
        }
        if (read == 0) {
            break;
        }
        begun = true;
        DWORD written = 0;
        if (!WriteFile(sink.get(), buffer.data(), read, &written, nullptr) || written != read) {
            return Written::Part;
        }
    }
    if (!SetEndOfFile(sink.get())) {
        return begun ? Written::Part : Written::Nothing;
    }
    return Written::All;
}

bool TWin32SaveFiles::Flush(const std::string& path) {
    const FileHandle file(
        CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, ShareReadWrite, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && FlushFileBuffers(file.get());
}

bool TWin32SaveFiles::CarryOver(const std::string& target, const std::string& replacement) {
    // What the rename does not carry over is set here first, as Windows' own replace function
    // does; ReplaceFileW itself is not whole under Wine, which moves the target aside first.
    const std::wstring targetName = SystemPath(target);
    const std::wstring replacementName = SystemPath(replacement);
    WIN32_FILE_ATTRIBUTE_DATA kept{};
    if (!GetFileAttributesExW(targetName.c_str(), GetFileExInfoStandard, &kept)) {
        return false;
    }
    {
        const FileHandle file(CreateFileW(replacementName.c_str(), FILE_WRITE_ATTRIBUTES, ShareReadWrite, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        if (!file || !SetFileTime(file.get(), &kept.ftCreationTime, nullptr, nullptr)) {
            return false;
        }
    }
    return CarrySecurity(targetName, replacementName) &&
           SetFileAttributesW(replacementName.c_str(), kept.dwFileAttributes);
}

bool TWin32SaveFiles::Move(const std::string& from, const std::string& to) {
    Release(from);
    return MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void TWin32SaveFiles::Remove(const std::string& path) {
    Release(path);
    DeleteFileW(SystemPath(path).c_str());
}

void TWin32SaveFiles::Release(const std::string& path) {
    if (hold_ && path == held_) {
        hold_.reset();
    }
}
