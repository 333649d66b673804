#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/disk/FilePath.h"

// File names as they reach the program from the system, in UTF-16: a file dialog's choice, the
// command line, a drop.

// The path of the file name names, which the program opens and saves under exactly that name.
// One longer than LongestPath raises Exception naming it and the limit, rather than being cut
// into another name.
FilePath UsablePath(std::wstring_view name);

// A file's full name as a value of the project, which is text in the ANSI code page: used only
// when the code page holds it exactly (a look-alike, Cafe for Café, would name another file) and
// it fits in maxBytes. Otherwise raises Exception naming it and saying why.
std::string FileNameAsValue(std::wstring_view name, std::size_t maxBytes);

// The full path of name, a relative one taken from the current folder. Raises Exception when
// the system makes no path of it.
std::wstring FullPathName(std::wstring_view name);

// The file that path leads to through links, path itself where it is no link; nothing where the
// system does not tell.
std::optional<FilePath> FinalPathOf(const FilePath& path);
// The name of the open file, through links; nothing where the system does not tell.
std::optional<FilePath> FinalPathOf(void* file);
