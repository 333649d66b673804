#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// CreateProcessW for a test that starts the editor, whose command line may name files in any
// characters. Under load, Wine now and then fails a start
// with ERROR_INTERNAL_ERROR: the Unix process died before it reached the program (the editor's
// own code never ran). That start is tried again, and said on stderr, so that a test fails only
// for what the editor does.
inline bool StartProcess(const std::wstring& program,
                         std::wstring commandLine,
                         const wchar_t* folder,
                         const STARTUPINFOW& startup,
                         PROCESS_INFORMATION& started) {
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOW copy = startup;
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &copy,
                           &started)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            SetLastError(error);
            return false;
        }
        std::fprintf(stderr, "starting %ls failed with error %lu; trying again\n", program.c_str(), error);
        Sleep(500);
    }
}
