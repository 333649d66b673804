#include "platform/RecentDocuments.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/WideText.h"

void AddToRecentDocuments(const FilePath& path) {
    const std::wstring name = Wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    SHAddToRecentDocs(SHARD_PATHW, name.c_str());
}
