#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The files of one drop (WM_DROPFILES), read by their exact UTF-16 names. The system's record
// of the drop is released when this goes, whatever the handling of the drop did.
class TDroppedFiles {
public:
    explicit TDroppedFiles(HDROP drop) : drop_(drop) {}
    ~TDroppedFiles();
    TDroppedFiles(const TDroppedFiles&) = delete;
    TDroppedFiles& operator=(const TDroppedFiles&) = delete;

    std::size_t Count() const;
    std::wstring Name(std::size_t index) const;
    // Where the files were let go, in the client coordinates of the window that took the drop.
    POINT Point() const;

private:
    HDROP drop_;
};

// Whether name is a folder (a drop may carry one as well as files).
bool IsFolder(const std::wstring& name);
