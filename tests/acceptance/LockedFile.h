#pragma once

#include <windows.h>

#include <string>

#include "acceptance/Owned.h"

// Holds a file open without sharing, as another program may, until it goes or is released:
// meanwhile nobody else can read or write it.
class LockedFile {
public:
    explicit LockedFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

    bool Held() const { return static_cast<bool>(handle_); }
    void Release() { handle_.Reset(); }

private:
    OwnedHandle handle_;
};
