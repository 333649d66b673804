#pragma once

#include <windows.h>

// How the program's own handles share a file: all of it, or, for a save's copy, everything but
// the right to delete it, so that another save's clean-up knows a copy still in use.
inline constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
inline constexpr DWORD ShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
