#include "ui/ReflectedColor.h"

LRESULT ContainerControlColor(HWND container, UINT message, WPARAM dc, LPARAM child) {
    if (const LRESULT brush = SendMessageA(reinterpret_cast<HWND>(child), WM_REFLECTED_CTLCOLOR, dc, 0)) {
        return brush;
    }
    return DefWindowProcA(container, message, dc, child);
}
