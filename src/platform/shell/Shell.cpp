#include "platform/shell/Shell.h"

#include <shlobj.h>

#include "platform/text/AnsiText.h"
#include "platform/text/WideText.h"

namespace {

struct ClipboardOpened {
    ~ClipboardOpened() { CloseClipboard(); }
};

struct MemoryLocked {
    HGLOBAL block;
    ~MemoryLocked() { GlobalUnlock(block); }
};

}  // namespace

// Read up to its NUL, and never past the end of its memory block, which need not hold one.
std::string ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return {};
    }
    const ClipboardOpened opened;
    const HGLOBAL data = GetClipboardData(CF_UNICODETEXT);
    const auto* characters = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (!characters) {
        return {};
    }
    const MemoryLocked locked{data};
    const std::wstring_view text = TextInBlock(characters, GlobalSize(data) / sizeof(wchar_t));
    return BestFitAnsi(text);
}

void AddToRecentDocuments(const FilePath& path) {
    const std::wstring name = Wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    SHAddToRecentDocs(SHARD_PATHW, name.c_str());
}
