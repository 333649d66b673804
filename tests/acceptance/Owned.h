#pragma once

#include <windows.h>

#include <type_traits>

// Owns one handle of any kind and gives it back through its own release function when it
// goes. Kernel handles that report failure as INVALID_HANDLE_VALUE are held as empty.
template <typename Handle, auto Release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(Normalised(handle)) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    // Releases the handle held and takes another.
    void Reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) {
            Release(handle_);
        }
        handle_ = Normalised(handle);
    }

private:
    static Handle Normalised(Handle handle) {
        if constexpr (std::is_same_v<Handle, HANDLE>) {
            return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
        } else {
            return handle;
        }
    }

    Handle handle_{};
};

using OwnedHandle = Owned<HANDLE, CloseHandle>;
using OwnedSearch = Owned<HANDLE, FindClose>;
using OwnedDc = Owned<HDC, DeleteDC>;
using OwnedGdiObject = Owned<HGDIOBJ, DeleteObject>;
