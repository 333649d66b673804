#pragma once

// The program reads and writes its texts, its project files among them, in Shift-JIS: the
// ANSI code page it runs in must be 932. Its manifest asks for that whatever the system's
// locale, but older systems, and those set to use UTF-8 for every program, do not honour it.
inline constexpr unsigned ShiftJisCodePage = 932;
inline constexpr int WrongCodePageExitCode = 2;

bool RunsInShiftJis();

// Tells the user, in Japanese and in English, that the program cannot run in this code page,
// in a box owned by no window: the program has none yet.
void ShowWrongCodePage();
