#pragma once

#include <windows.h>

#include <string>

#include "platform/UniqueHandle.h"
#include "platform/disk/DiskFiles.h"
#include "platform/save/SafeSave.h"

// How the program's own handles share a file: all of it, or, for a save's copy, everything but
// the right to delete it, so that another save's clean-up knows a copy still in use.
inline constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
inline constexpr DWORD ShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Whether the error of an open that failed says that nothing has the name: no such file, or no
// folder on its way. Any other (no right, another program's hold) is about a file that is there.
inline bool NamesNoFile(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opens the existing file at path (a full path) only where it is a file on a disk: a device
// such as AUX, a pipe or a console is refused before anything reads it, since its reads can wait
// for ever. A refused one answers none, with ERROR_BAD_FILE_TYPE as the last error.
UniqueFile OpenDiskFile(const FilePath& path, DWORD access, DWORD share, DWORD flags = 0);

// The stamp of an open file: Project with its size, time and identity; Unreadable for a folder
// or where the system does not tell.
DiskStamp StampOf(HANDLE file);
// The same, from what the system told of the file.
DiskStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& information);

// The stamp of the file at path, opened only for its attributes, which passes any other
// program's hold on it: Missing, Unreadable, or as StampOf.
DiskStamp StampAt(const FilePath& path);

// Reads the open file from its start to its end, its head first: where the head is no profile
// text, nothing more is read and nothing written. A file larger than largest is TooLarge: told
// from its size before anything is read, or once the bytes read pass it, however the file grows
// meanwhile. Every piece read goes on to sink, which then ends where the file ends.
SaveFiles::Reading CopyWhole(HANDLE file, HANDLE sink, std::uint64_t largest = LargestProjectFile);
// The same reading without a sink: whether the file can be a project, and its fingerprint.
inline SaveFiles::Reading ReadWhole(HANDLE file, std::uint64_t largest = LargestProjectFile) {
    return CopyWhole(file, nullptr, largest);
}
