#pragma once

#include <windows.h>

#include <string>

#include "ui/Layout.h"

// A child window of the given class with the control identifier id; raises the system's error
// when it cannot be made.
HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, HWND parent, int id);

// Moves a window to bounds within its parent's client area (already scaled).
void PlaceWindow(HWND window, const Bounds& bounds);

// The window's bounds within its parent's client area.
Bounds WindowBounds(HWND window);

void SetWindowFont(HWND window, HFONT font);

// The window's text in the ANSI code page.
std::string WindowTextOf(HWND window);
// The same as the window holds it, in UTF-16.
std::wstring WideWindowTextOf(HWND window);

// Registers a window class of this program once per process; later calls find it registered.
// Answers the class name.
// A Unicode class's windows get their text messages in UTF-16.
const char* RegisterProgramClass(const char* name, WNDPROC procedure, int backgroundColor, bool unicode = false);
