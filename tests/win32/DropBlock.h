#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// The bytes of a drop as the system hands it to a window with WM_DROPFILES: DROPFILES, then the
// UTF-16 names, each ended by a NUL and the list by another. point is in the window's client area.
inline std::vector<char> DropBlock(POINT point, const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names) {
        list += name + L'\0';
    }
    list += L'\0';
    std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = reinterpret_cast<DROPFILES*>(block.data());
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    files->pt = point;
    std::memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    return block;
}
