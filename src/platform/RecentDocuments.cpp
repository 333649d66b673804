#include "platform/RecentDocuments.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/WideText.h"

void AddToRecentDocuments(const std::string& path) {
    // The names the program uses are exact in the code page, so the UTF-16 form is the file's own.
    const std::wstring name = WidenAnsi(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    SHAddToRecentDocs(SHARD_PATHW, name.c_str());
}
