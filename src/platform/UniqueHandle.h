#pragma once

#include <windows.h>

#include <commctrl.h>

#include <type_traits>
#include <utility>

// Sole owner of one Win32 handle, released by Release(handle) when the owner goes. The kernel's
// handles answer INVALID_HANDLE_VALUE, not null, where CreateFile or FindFirstFile fail: an owner
// of one holds null then.
template <typename Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(Valid(handle)) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, Handle{}));
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) {
            Release(handle_);
        }
        handle_ = Valid(handle);
    }

    // Gives the handle up to a new owner, such as a window that destroys it with itself.
    Handle release() { return std::exchange(handle_, Handle{}); }

private:
    static Handle Valid(Handle handle) {
        if constexpr (std::is_same_v<Handle, HANDLE>) {
            return handle == INVALID_HANDLE_VALUE ? Handle{} : handle;
        }
        return handle;
    }

    Handle handle_{};
};

// A window whose procedure finds its object through GWLP_USERDATA: the object hears none of the
// window's last messages, so it may be half gone by then.
inline void DestroyDetachedWindow(HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

// Each released by the system's own function for it.
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueDetachedWindow = UniqueHandle<HWND, &DestroyDetachedWindow>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &ImageList_Destroy>;
using UniqueAccelerators = UniqueHandle<HACCEL, &DestroyAcceleratorTable>;
using UniqueMemoryDc = UniqueHandle<HDC, &DeleteDC>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueFile = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueSearch = UniqueHandle<HANDLE, &FindClose>;
using UniqueHook = UniqueHandle<HHOOK, &UnhookWindowsHookEx>;

// A window class registered for as long as its owner lives.
class WindowClassRegistration {
public:
    WindowClassRegistration(ATOM atom, HINSTANCE instance) : atom_(atom), instance_(instance) {}
    ~WindowClassRegistration() {
        if (atom_) {
            UnregisterClassA(MAKEINTATOM(atom_), instance_);
        }
    }
    WindowClassRegistration(const WindowClassRegistration&) = delete;
    WindowClassRegistration& operator=(const WindowClassRegistration&) = delete;

    explicit operator bool() const { return atom_ != 0; }

private:
    ATOM atom_;
    HINSTANCE instance_;
};

// Selects a GDI object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's (or, for no window, the screen's) device context for one scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
