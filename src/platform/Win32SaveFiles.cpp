#include "platform/Win32SaveFiles.h"

#include <windows.h>

#include "platform/FileHandle.h"
#include "platform/WideText.h"

namespace {

// The prefix of the copies a save makes beside its target ("zrt1A2B.tmp").
constexpr const wchar_t* CopyPrefix = L"zrt";

// The folder part of a full path, without its last separator.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

}  // namespace

SaveFiles::Kind TWin32SaveFiles::Probe(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WidenAnsi(path).c_str());
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

std::optional<std::string> TWin32SaveFiles::CreateFileBeside(const std::string& path) {
    wchar_t name[MAX_PATH] = {};
    if (!GetTempFileNameW(FolderOf(WidenAnsi(path)).c_str(), CopyPrefix, 0, name)) {
        return std::nullopt;
    }
    // The folder came from an ANSI name and the rest is ASCII, so the name has an exact ANSI form.
    std::optional<std::string> ansi = ExactAnsi(name);
    if (!ansi) {
        DeleteFileW(name);
    }
    return ansi;
}

bool TWin32SaveFiles::Copy(const std::string& from, const std::string& to) {
    const std::wstring copy = WidenAnsi(to);
    // The copy takes the attributes of the file too; a hidden or system file can refuse the
    // profile writer's rewrite, so the copy is plain until it takes the file's place.
    return CopyFileW(WidenAnsi(from).c_str(), copy.c_str(), FALSE) &&
           SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool TWin32SaveFiles::Flush(const std::string& path) {
    const FileHandle file(
        CreateFileW(WidenAnsi(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && FlushFileBuffers(file.get());
}

bool TWin32SaveFiles::Replace(const std::string& target, const std::string& replacement) {
    // A rename over the target is the one step that is whole on every system; ReplaceFileW
    // under Wine moves the target aside and deletes it before the rename, and leaves a file of
    // its own behind when it fails. What the rename does not carry over is set here first.
    const std::wstring targetName = WidenAnsi(target);
    const std::wstring replacementName = WidenAnsi(replacement);
    WIN32_FILE_ATTRIBUTE_DATA kept{};
    if (!GetFileAttributesExW(targetName.c_str(), GetFileExInfoStandard, &kept)) {
        return false;
    }
    {
        const FileHandle file(CreateFileW(replacementName.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        if (!file || !SetFileTime(file.get(), &kept.ftCreationTime, nullptr, nullptr)) {
            return false;
        }
    }
    return SetFileAttributesW(replacementName.c_str(), kept.dwFileAttributes) && Move(replacement, target);
}

bool TWin32SaveFiles::Move(const std::string& from, const std::string& to) {
    return MoveFileExW(WidenAnsi(from).c_str(), WidenAnsi(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void TWin32SaveFiles::Remove(const std::string& path) {
    DeleteFileW(WidenAnsi(path).c_str());
}
