#pragma once

#include <windows.h>

// A character typed or given to an ANSI window of the program, taken from the queue in
// Unicode, is handed on in the process's code page (932), a double-byte character as two
// messages, lead byte first. The system would convert it in the code page of the keyboard's
// language, in which Japanese text typed with a keyboard set to another language, or given by
// another program, turns into "?". True when the message was handed on and is done with.
bool HandOnInCodePage(const MSG& message);
