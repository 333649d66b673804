#pragma once

#include <windows.h>

#include "ui/AppMessages.h"

// A borderless child window on the button-face colour that holds controls, such as a page of
// the page control. Dialog navigation looks into it, and it passes its controls' notifications
// on to its parent, so that the window with the handlers hears of them all.
HWND CreateContainer(HWND parent, int id);

// What every container does with the messages of its controls; false for any other message.
bool ForwardControlMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A container's answer to WM_CTLCOLOR*: the child's own colours, else the defaults.
LRESULT ContainerControlColor(HWND container, UINT message, WPARAM dc, LPARAM child);
