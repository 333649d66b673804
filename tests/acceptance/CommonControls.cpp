#include "acceptance/CommonControls.h"

#include <commctrl.h>

#include <vector>

#include "acceptance/WindowQuery.h"

namespace {

constexpr std::size_t TextRoom = 256;

}  // namespace

RemoteBuffer::RemoteBuffer(HWND ofWindow, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(ofWindow, &processId);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (process_) {
        address_ =
            static_cast<char*>(VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
}

RemoteBuffer::~RemoteBuffer() {
    // The memory goes back before the process handle is closed.
    if (address_) {
        VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
    }
}

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) {
    SIZE_T written = 0;
    WriteProcessMemory(process_.Get(), address_ + offset, data, size, &written);
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
    SIZE_T read = 0;
    ReadProcessMemory(process_.Get(), address_ + offset, data, size, &read);
}

int TabCount(HWND tabs) {
    return static_cast<int>(Ask(tabs, TCM_GETITEMCOUNT));
}

int SelectedTab(HWND tabs) {
    return static_cast<int>(Ask(tabs, TCM_GETCURSEL));
}

std::string TabText(HWND tabs, int index) {
    RemoteBuffer buffer(tabs, sizeof(TCITEMA) + TextRoom);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<char*>(buffer.Address(sizeof item));
    item.cchTextMax = static_cast<int>(TextRoom);
    buffer.Write(&item, sizeof item);
    const char nothing[1] = "";
    buffer.Write(nothing, 1, sizeof item);
    if (Ask(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), buffer.Address()) <= 0) {
        return "<no tab " + std::to_string(index) + ">";
    }
    std::vector<char> text(TextRoom + 1, '\0');
    buffer.Read(text.data(), TextRoom, sizeof item);
    return text.data();
}

RECT TabScreenRect(HWND tabs, int index) {
    RemoteBuffer buffer(tabs, sizeof(RECT));
    RECT rect{};
    Ask(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), buffer.Address());
    buffer.Read(&rect, sizeof rect);
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT TabDisplayScreenRect(HWND tabs) {
    RECT rect{};
    GetClientRect(tabs, &rect);
    RemoteBuffer buffer(tabs, sizeof(RECT));
    buffer.Write(&rect, sizeof rect);
    Ask(tabs, TCM_ADJUSTRECT, FALSE, buffer.Address());
    buffer.Read(&rect, sizeof rect);
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int ListColumnCount(HWND list) {
    const HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
    return header ? static_cast<int>(Ask(header, HDM_GETITEMCOUNT)) : 0;
}

std::string ListColumnText(HWND list, int column) {
    RemoteBuffer buffer(list, sizeof(LVCOLUMNA) + TextRoom);
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = reinterpret_cast<char*>(buffer.Address(sizeof item));
    item.cchTextMax = static_cast<int>(TextRoom);
    buffer.Write(&item, sizeof item);
    if (!Ask(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), buffer.Address())) {
        return "<no column " + std::to_string(column) + ">";
    }
    std::vector<char> text(TextRoom + 1, '\0');
    buffer.Read(text.data(), TextRoom, sizeof item);
    return text.data();
}

int ListColumnWidth(HWND list, int column) {
    return static_cast<int>(Ask(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

int ListItemCount(HWND list) {
    return static_cast<int>(Ask(list, LVM_GETITEMCOUNT));
}

Selection EditSelection(HWND edit) {
    const LRESULT packed = Ask(edit, EM_GETSEL);
    return Selection{LOWORD(packed), HIWORD(packed)};
}
