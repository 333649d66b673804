#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "acceptance/Owned.h"

// Questions to another process's common controls. Their messages carry pointers that the
// system does not copy across processes, so the answers are read from memory lent inside
// the other process, as accessibility tools do.

// Memory inside another process, freed when the object goes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND ofWindow, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(address_) + offset; }
    void Write(const void* data, std::size_t size, std::size_t offset = 0);
    void Read(void* data, std::size_t size, std::size_t offset = 0) const;

private:
    OwnedHandle process_;
    char* address_ = nullptr;
};

// Tab control.
int TabCount(HWND tabs);
int SelectedTab(HWND tabs);
std::string TabText(HWND tabs, int index);
// A tab's rectangle in screen coordinates.
RECT TabScreenRect(HWND tabs, int index);
// The area in which the pages show, in screen coordinates.
RECT TabDisplayScreenRect(HWND tabs);

// List view in report mode.
int ListColumnCount(HWND list);
std::string ListColumnText(HWND list, int column);
int ListColumnWidth(HWND list, int column);
int ListItemCount(HWND list);

// Edit control: the selection as byte or character offsets, whichever the control reports.
struct Selection {
    int start;
    int end;
};
Selection EditSelection(HWND edit);
