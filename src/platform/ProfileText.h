#pragma once

#include <cstddef>
#include <string_view>

// How much of a file's start tells whether it is text.
inline constexpr std::size_t ProfileTextProbeSize = 64 * 1024;

// Whether a file that starts with head can be a profile file: text holds no NUL byte, except
// text in UTF-16, which then starts with its byte-order mark. Anything else (a program, a
// picture, an archive) is refused, so that a save can never rewrite it as text.
bool IsProfileText(std::string_view head);
