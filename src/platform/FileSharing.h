#pragma once

#include <windows.h>

// How the program's own handles share a file: all of it, or, for a save's copy, everything but
// the right to delete it, so that another save's clean-up knows a copy still in use.
inline constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
inline constexpr DWORD ShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Whether the error of an open that failed says that nothing has the name: no such file, or no
// folder on its way. Any other (no right, another program's hold) is about a file that is there.
inline bool NamesNoFile(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
