#pragma once

#include <span>
#include <string>

// What the program is asked to do by its command line: ZubRuntimeEditor.exe [project-file].
struct CommandLineRequest {
    enum class Kind {
        Untitled,  // no argument: a new, untitled project, as always
        OpenFile,  // one file name: that project, opened as the Open command opens it
        Usage,     // anything else: say how the program is called, then go on untitled
    };
    Kind What = Kind::Untitled;
    std::wstring FileName;  // for OpenFile, as it was given (it may be relative)
};

// The request of the arguments that follow the program's own name. An argument that starts
// with "/" or "-" is an option, which the program has none of; an empty one names no file.
CommandLineRequest ReadCommandLine(std::span<const std::wstring> arguments);
