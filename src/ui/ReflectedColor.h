#pragma once

#include <windows.h>

// Containers ask a child for its colours before answering WM_CTLCOLOR* themselves: the child
// gets the device context as wParam and answers a brush, or 0 for the container's defaults.
inline constexpr UINT WM_REFLECTED_CTLCOLOR = WM_APP + 0x302;

// A container's answer to WM_CTLCOLOR*: the child's own colours, else the defaults.
LRESULT ContainerControlColor(HWND container, UINT message, WPARAM dc, LPARAM child);
