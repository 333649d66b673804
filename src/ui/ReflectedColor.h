#pragma once

#include <windows.h>

#include "ui/AppMessages.h"

// A container's answer to WM_CTLCOLOR*: the child's own colours, else the defaults.
LRESULT ContainerControlColor(HWND container, UINT message, WPARAM dc, LPARAM child);
