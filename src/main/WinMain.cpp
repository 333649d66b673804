#include <windows.h>

#include "main/CodePage.h"
#include "main/Program.h"
#include "ui/MainWindow.h"

// The command line is not read: the program always starts with a new, untitled project.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything is read or written: in another code page the values would be damaged.
    if (!RunsInShiftJis()) {
        ShowWrongCodePage();
        return WrongCodePageExitCode;
    }
    return RunProgram<TMainWindow>(instance);
}
