#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How much of a file's start tells whether it is text.
inline constexpr std::size_t ProfileTextProbeSize = 64 * 1024;

// Whether a file that starts with head can be a profile file: text holds no NUL byte, except
// text in UTF-16 little-endian, which then starts with its byte-order mark (FF FE), the only
// UTF-16 that Windows' profile functions read. Anything else (a program, a picture, an archive,
// UTF-16 big-endian) is refused, so that a save can never rewrite it as text.
bool IsProfileText(std::string_view head);

// Whether two section or key names are one to the profile functions, which ignore the case of
// ASCII letters.
bool SameProfileName(std::string_view a, std::string_view b);

// The text to give the platform's profile writer so that its reader gives back exactly the
// bytes of value. The reader strips blanks round a value and one matching pair of quotes, so
// a value that starts or ends with either is written inside double quotes. A line break would
// start a new line in the file (and so a key or section of its own) and is written as a space.
// Anything else is written as it is.
std::string ProfileValueForWriting(std::string_view value);
