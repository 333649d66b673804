#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// CreateProcessA for a test that starts the editor. Under load, Wine now and then fails a start
// with ERROR_INTERNAL_ERROR: the Unix process died before it reached the program (the editor's
// own code never ran). That start is tried again, and said on stderr, so that a test fails only
// for what the editor does.
inline bool StartProcess(const std::string& program,
                         std::string commandLine,
                         const char* folder,
                         const STARTUPINFOA& startup,
                         PROCESS_INFORMATION& started) {
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOA copy = startup;
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &copy,
                           &started)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            SetLastError(error);
            return false;
        }
        std::fprintf(stderr, "starting %s failed with error %lu; trying again\n", program.c_str(), error);
        Sleep(500);
    }
}
