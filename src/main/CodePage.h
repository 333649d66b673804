#pragma once

#include <windows.h>

// The program reads and writes its texts, its project files among them, in Shift-JIS: the
// ANSI code page it runs in must be 932. Its manifest asks for that whatever the system's
// locale, but older systems, and those set to use UTF-8 for every program, do not honour it.
inline constexpr unsigned ShiftJisCodePage = 932;
inline constexpr int WrongCodePageExitCode = 2;

bool RunsInShiftJis();

// Tells the user, in Japanese and in English, that the program cannot run in this code page,
// in a box owned by no window: the program has none yet.
void ShowWrongCodePage();

// A character typed or given to an ANSI window of the program, taken from the queue in
// Unicode, is handed on in the process's code page (932), a double-byte character as two
// messages, lead byte first. The system would convert it in the code page of the keyboard's
// language, in which Japanese text typed with a keyboard set to another language, or given by
// another program, turns into "?". True when the message was handed on and is done with.
bool HandOnInCodePage(const MSG& message);
