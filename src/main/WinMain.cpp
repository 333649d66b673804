#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "main/CodePage.h"
#include "main/CommandLine.h"
#include "main/Program.h"
#include "main/Texts.h"
#include "platform/Exception.h"
#include "platform/UniqueHandle.h"
#include "platform/disk/FileNames.h"
#include "ui/MainWindow.h"

namespace {

void FreeArguments(LPWSTR* arguments) {
    LocalFree(arguments);
}

// The arguments after the program's own name, split by the system's rules and read from the
// Unicode command line: as Explorer passes a file name, exactly, whatever the code page holds.
std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    const UniqueHandle<LPWSTR*, FreeArguments> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments) {
        throw Exception(CommandLineUnreadableText);
    }
    return {arguments.get() + (count > 0 ? 1 : 0), arguments.get() + count};
}

// Opens the project that the program's command line names, as the Open command opens the file
// its dialog returned; a name is made full from the current folder. Anything on the command line but one file name
// raises Exception with the message that says how the program is called. Without arguments: nothing.
void OpenCommandLineProject(TMainWindow& window) {
    const CommandLineRequest request = ReadCommandLine(CommandLineArguments());
    switch (request.What) {
        case CommandLineRequest::Kind::Untitled:
            break;
        case CommandLineRequest::Kind::Usage:
            throw Exception(CommandLineUsage);
        case CommandLineRequest::Kind::OpenFile:
            window.OpenNamedZrtFile(UsablePath(FullPathName(request.FileName)));
            break;
    }
}

}  // namespace

// The one argument the program takes, a project file, opens once the window shows.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything is read or written: in another code page the values would be damaged.
    if (!RunsInShiftJis()) {
        ShowWrongCodePage();
        return WrongCodePageExitCode;
    }
    return RunProgram<TMainWindow>(instance, OpenCommandLineProject);
}
