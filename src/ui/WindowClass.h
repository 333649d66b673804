#pragma once

#include <windows.h>

// Registers a window class of this program once per process; later calls find it registered.
// Answers the class name.
const char* RegisterProgramClass(const char* name, WNDPROC procedure, int backgroundColor);
