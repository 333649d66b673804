#include "platform/shell/DroppedFiles.h"

#include <shellapi.h>

TDroppedFiles::~TDroppedFiles() {
    DragFinish(drop_);
}

std::size_t TDroppedFiles::Count() const {
    return DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0);
}

std::wstring TDroppedFiles::Name(std::size_t index) const {
    const UINT item = static_cast<UINT>(index);
    std::wstring name(DragQueryFileW(drop_, item, nullptr, 0), L'\0');
    // The count asked for includes the terminating NUL, which the string keeps beyond its size.
    name.resize(DragQueryFileW(drop_, item, name.data(), static_cast<UINT>(name.size() + 1)));
    return name;
}

POINT TDroppedFiles::Point() const {
    POINT point{};
    DragQueryPoint(drop_, &point);
    return point;
}

bool IsFolder(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
