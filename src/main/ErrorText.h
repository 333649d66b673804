#pragma once

#include <string>

#include "platform/text/AnsiText.h"

// The text the error box shows for an error's message. Messages are written without a
// closing full stop; the box adds "." when the last character sorts after it (a letter, a
// digit, "?", ":" or any double-byte character), and leaves a message that already ends in
// punctuation, a blank or a line break alone. An empty message stays empty.
std::string ErrorBoxText(std::string message, LeadByteTest isLeadByte);

// The same rule for a message in UTF-16, where every character that is not ASCII sorts after
// "." too.
std::wstring ErrorBoxText(std::wstring message);
