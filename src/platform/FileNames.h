#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// File names that reach the program in UTF-16 (a file dialog's choice, the command line, a
// drop) and are used in the ANSI code page.

// The longest name the ANSI file functions take: MAX_PATH less the terminating NUL.
inline constexpr std::size_t MaxFileNameBytes = 259;

// The ANSI form of name, used only when the code page holds it exactly: a look-alike (Cafe for
// Café) would open or write another file. Otherwise raises Exception naming it as the user
// sees it.
std::string ExactAnsiFileName(std::wstring_view name);

// The same, for a name that must also fit in maxBytes bytes of ANSI text: a longer one raises
// Exception naming it and the limit, rather than being cut into another name.
std::string ExactAnsiFileName(std::wstring_view name, std::size_t maxBytes);

// The full path of name, a relative one taken from the current folder. Raises Exception when
// the system makes no path of it.
std::wstring FullPathName(std::wstring_view name);

// The file that path leads to through links, path itself where it is no link; nothing where
// that file has no name in the ANSI code page.
std::optional<std::string> FinalPathOf(const std::string& path);
// The name of the open file, through links; nothing where it has no name in the ANSI code page.
std::optional<std::string> FinalPathOf(void* file);
