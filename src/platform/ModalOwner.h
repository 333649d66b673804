#pragma once

#include <windows.h>

// The window that owns every dialog and message box of the program: the application's own
// window. Set once by the application object.
void SetModalOwner(HWND owner);
HWND ModalOwner();
