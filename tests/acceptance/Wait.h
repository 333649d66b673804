#pragma once

#include <windows.h>

// How long a reaction of the program may take before a test calls it missing. Generous,
// because Wine on a shared machine is slow to open its first file dialog; a hung program
// still fails the test instead of the whole run.
inline constexpr DWORD ReactionTimeout = 10000;

// Polls until the condition holds or the time is up; answers whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMilliseconds = ReactionTimeout) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() - start >= timeoutMilliseconds) {
            return false;
        }
        Sleep(20);
    }
}
