#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// Keyboard and mouse input as a person gives it: through the system's input queue
// (SendInput), reaching whichever window has the focus, through its program's own message
// loop.

// Types text given in the ANSI code page, one character at a time as Unicode key strokes,
// the way an input method delivers Japanese text.
void TypeText(const std::string& text);
// The same for any text, characters outside the code page included.
void TypeText(const std::wstring& text);

// Presses and releases a key, holding the modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) given
// before it: PressKey('S', {VK_CONTROL}) is Ctrl+S.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Modifier keys held down for a scope, as a hand holds Alt while it does other things; they
// are released, last first, when it ends.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<WORD> modifiers);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

    // Presses and releases a key with the modifiers down.
    void Press(WORD key);

private:
    void PressAgainWhereReleased();

    std::vector<WORD> modifiers_;
};

// Puts text (in the ANSI code page) on the clipboard, as copying it in another program would.
bool PutOnClipboard(const std::string& text);

// Moves the mouse to a point of the screen, and clicks the left button there.
void MovePointerTo(POINT screenPoint);
void ClickAt(POINT screenPoint);
void ClickCentreOf(HWND window);

// Files let go over a point of the screen, as a drag from a file manager ends there: the window
// under the point that accepts files, or its nearest ancestor that does, gets WM_DROPFILES
// with the drop's block in its own process. Under Wine a drop from a Linux file manager comes
// through the X server, and Wine's own drag and drop does not reach such windows of another
// process (both measured), so the block is written into the program and the message posted,
// as the system does at the end of a drop.
void DropFiles(POINT screenPoint, const std::vector<std::wstring>& names);
