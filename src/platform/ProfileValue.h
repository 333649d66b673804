#pragma once

#include <string>
#include <string_view>

// The text to give the platform's profile writer so that its reader gives back exactly the
// bytes of value. The reader strips blanks round a value and one matching pair of quotes, so
// a value that starts or ends with either is written inside double quotes. A line break would
// start a new line in the file (and so a key or section of its own) and is written as a space.
// Anything else is written as it is.
std::string ProfileValueForWriting(std::string_view value);
