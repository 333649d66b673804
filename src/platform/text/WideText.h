#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/disk/FilePath.h"
#include "platform/text/ShownText.h"

// The ANSI code page the program's texts are in, and between it and the UTF-16 of the system's
// names.

// Whether byte starts a double-byte character in the ANSI code page: the lead-byte test that the
// text helpers are given where they run on the platform.
bool IsAnsiLeadByte(unsigned char byte);

// The UTF-16 form of an ANSI text.
std::wstring WidenAnsi(std::string_view text);

// The ANSI form of text when there is one that gives text back unchanged; nothing where a
// character has no exact form (é, 한, 𠮷 in code page 932), which the system would otherwise
// replace by a look-alike or a question mark.
std::optional<std::string> ExactAnsi(std::wstring_view text);

// The ANSI form of text, with "?" for each character the code page does not hold: for
// messages only, never for a name that is used.
std::string NearestAnsi(std::wstring_view text);

// The ANSI form of text as the system converts it by default: a look-alike where there is one
// (e for é), else "?". For text the user hands the program, such as a paste.
std::string BestFitAnsi(std::wstring_view text);
// A full path as the system's Unicode file functions take it: with the long-path prefix where
// it is too long for them otherwise (MAX_PATH characters or more).
std::wstring LongPathForm(std::wstring path);
// The same for a file's path.
std::wstring SystemPath(const FilePath& path);

// A file's path as the system's Unicode functions take it, and back: the same UTF-16.
std::wstring Wide(const FilePath& path);
FilePath PathOf(std::wstring_view path);

// A text as the window shows it: the program's words converted from the ANSI code page as the
// system's ANSI functions convert them, the names of files as they are.
std::wstring Wide(const ShownText& text);
