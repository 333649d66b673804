#include <windows.h>

#include "main/CodePage.h"
#include "main/CommandLineProject.h"
#include "main/Program.h"
#include "ui/MainWindow.h"

// The one argument the program takes, a project file, opens once the window shows.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything is read or written: in another code page the values would be damaged.
    if (!RunsInShiftJis()) {
        ShowWrongCodePage();
        return WrongCodePageExitCode;
    }
    return RunProgram<TMainWindow>(instance, OpenCommandLineProject);
}
