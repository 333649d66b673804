#include "platform/Win32SaveFiles.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/FileNames.h"
#include "platform/FileSecurity.h"
#include "platform/FileSharing.h"
#include "platform/SaveCopies.h"
#include "platform/WideText.h"

namespace {

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

// Makes a new file under the first of up to a hundred names that no file has yet, made by
// nameOf; answers its name and puts the handle in made. Nothing where a name has no exact ANSI
// form or the folder takes no new file.
template <typename NameOf>
std::optional<std::string> CreateNew(NameOf nameOf, DWORD access, UniqueFile& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::optional<std::string> ansi = ExactAnsi(nameOf());
        if (!ansi) {
            return std::nullopt;
        }
        made.reset(CreateFileW(SystemPath(*ansi).c_str(), access, ShareReadWrite, nullptr, CREATE_NEW,
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

}  // namespace

SaveFiles::Kind TWin32SaveFiles::Probe(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // Any other answer (no right to look, a busy device) leaves the copy to tell.
        return NamesNoFile(error) ? Kind::Missing : Kind::File;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return Kind::Folder;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) ? Kind::ReadOnlyFile : Kind::File;
}

bool TWin32SaveFiles::CanWrite(const std::string& path) {
    const UniqueFile file(
        CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
}

std::optional<std::string> TWin32SaveFiles::FinalPath(const std::string& path) {
    return FinalPathOf(path);
}

bool TWin32SaveFiles::HasOtherNames(const std::string& path) {
    const UniqueFile file(
        CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    return file && GetFileInformationByHandle(file.get(), &information) && information.nNumberOfLinks > 1;
}

void TWin32SaveFiles::RemoveLeftCopies(const std::string& path) {
    RemoveLeftSaveCopies(path);
}

std::optional<std::string> TWin32SaveFiles::CreateCopyBeside(const std::string& path) {
    const std::wstring wide = WidenAnsi(path);
    // The folder and the file's name came from an ANSI name and the rest is ASCII, so the copy's
    // name has an exact ANSI form. Made and held in one step, so that no clean-up can come between.
    const std::optional<std::string> copy = CreateNew([&] { return CopyNameBeside(wide); }, GENERIC_READ, hold_);
    if (copy) {
        held_ = *copy;
    }
    return copy;
}

std::optional<std::string> TWin32SaveFiles::NameComplete(const std::string& copy) {
    // A rename needs the right to delete, which the hold shares with no handle, not even one of
    // this save's: the hold is taken again with that right, which only the profile functions,
    // done with the copy by now, could not bear.
    Release(copy);
    const std::optional<std::string> ansi = ExactAnsi(CompleteNameOf(WidenAnsi(copy)));
    hold_.reset(CreateFileW(SystemPath(copy).c_str(), GENERIC_READ | DELETE, ShareReadWrite, nullptr, OPEN_EXISTING, 0,
                            nullptr));
    if (!hold_) {
        return std::nullopt;
    }
    held_ = copy;
    if (!ansi || !RenameHeld(hold_.get(), SystemPath(*ansi))) {
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
    UniqueFile made;
    return CreateNew([&] { return WorkFileNameIn(folder); }, GENERIC_WRITE, made);
}

SaveFiles::Written TWin32SaveFiles::Copy(const std::string& from, const std::string& to) {
    const UniqueFile source(CreateFileW(SystemPath(from).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source) {
        return Written::Nothing;
    }
    // Another program may hold the file open, for reading or for writing, as long as it shares.
    const UniqueFile sink(
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
    const UniqueFile file(
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
        const UniqueFile file(CreateFileW(replacementName.c_str(), FILE_WRITE_ATTRIBUTES, ShareReadWrite, nullptr,
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
