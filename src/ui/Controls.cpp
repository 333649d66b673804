#include "ui/Controls.h"

#include "platform/Exception.h"

HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, HWND parent, int id) {
    const HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!child) {
        throw LastWin32Error();
    }
    return child;
}

void PlaceWindow(HWND window, const Bounds& bounds) {
    SetWindowPos(window, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Bounds WindowBounds(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void SetWindowFont(HWND window, HFONT font) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::wstring WideWindowTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string WindowTextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

const char* RegisterProgramClass(const char* name, WNDPROC procedure, int backgroundColor, bool unicode) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name, &windowClass)) {
        return name;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
    windowClass.lpszClassName = name;
    if (unicode) {
        // The same class, registered through the Unicode function: the class names are ASCII.
        const std::wstring wideName(name, name + std::char_traits<char>::length(name));
        WNDCLASSEXW wideClass{
            sizeof wideClass,          0,       procedure,        0,      0, instance, nullptr, windowClass.hCursor,
            windowClass.hbrBackground, nullptr, wideName.c_str(), nullptr};
        if (!RegisterClassExW(&wideClass)) {
            throw LastWin32Error();
        }
        return name;
    }
    if (!RegisterClassExA(&windowClass)) {
        throw LastWin32Error();
    }
    return name;
}
