#include "ui/Container.h"

#include "ui/Controls.h"
#include "ui/WindowProcedure.h"

namespace {

// Every container's messages: they hold no state of their own.
struct ContainerMessages {
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        LRESULT result = 0;
        if (ForwardControlMessage(window, message, wParam, lParam, result)) {
            return result;
        }
        return PassOn(window, message, wParam, lParam);
    }
};

const ContainerMessages Containers;

}  // namespace

HWND CreateContainer(HWND parent, int id) {
    const char* className = RegisterProgramClass("ZubContainer", DefWindowProcA, COLOR_BTNFACE);
    const HWND container = CreateChild(className, "", WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent, id);
    RouteMessages(container, Containers);
    return container;
}

bool ForwardControlMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
            result = SendMessageA(GetParent(container), message, wParam, lParam);
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            result = ContainerControlColor(container, message, wParam, lParam);
            return true;
        default:
            return false;
    }
}

LRESULT ContainerControlColor(HWND container, UINT message, WPARAM dc, LPARAM child) {
    if (const LRESULT brush = SendMessageA(reinterpret_cast<HWND>(child), WM_REFLECTED_CTLCOLOR, dc, 0)) {
        return brush;
    }
    return PassOn(container, message, dc, child);
}
