#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What any program may learn about another process's windows: the questions an
// accessibility tool asks. Messages go through SendMessageTimeout, so that a program that
// hangs fails the test that asked instead of stopping the run.

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> DescendantsOf(HWND parent);
std::vector<HWND> VisibleDescendantsOf(HWND parent, const char* className);

std::string ClassNameOf(HWND window);
// The caption of a top-level window, as the system keeps it.
std::string CaptionOf(HWND window);
// The text of a control, asked of the control itself (WM_GETTEXT).
std::string TextOf(HWND window);
// The same in UTF-16, as the control holds it.
std::wstring UnicodeTextOf(HWND window);
LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);

RECT ScreenRectOf(HWND window);
RECT ClientScreenRectOf(HWND window);
// The window's outer rectangle in the client coordinates of another window.
RECT RectIn(HWND window, HWND reference);
POINT CentreOf(const RECT& rect);
SIZE SizeOf(const RECT& rect);

// The focus and the active window of a thread of another process.
HWND FocusOf(DWORD threadId);
HWND ActiveWindowOf(DWORD threadId);

// A message that carries no pointer, with a timeout; the answer, or -1 when none came.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Writes a rectangle as "left, top, width x height" for failure messages.
std::string Describe(const RECT& rect);
std::string Describe(HWND window);
