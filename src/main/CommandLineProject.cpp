#include "main/CommandLineProject.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "main/CommandLine.h"
#include "main/Texts.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/UniqueHandle.h"
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

}  // namespace

void OpenCommandLineProject(TMainWindow& window) {
    const CommandLineRequest request = ReadCommandLine(CommandLineArguments());
    switch (request.What) {
        case CommandLineRequest::Kind::Untitled:
            break;
        case CommandLineRequest::Kind::Usage:
            throw Exception(CommandLineUsage);
        case CommandLineRequest::Kind::OpenFile:
            window.OpenNamedZrtFile(ExactAnsiFileName(FullPathName(request.FileName), MaxFileNameBytes));
            break;
    }
}
