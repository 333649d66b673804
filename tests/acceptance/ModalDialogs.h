#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "acceptance/Wait.h"

// The editor's modal windows as a person meets them: message boxes and the common file
// dialogs, all "#32770" windows of the editor's process, read and operated with the mouse
// and the keyboard.

// The dialog or message box of the process that takes input now (visible and enabled), or
// null when none shows within the time; one that is already known can be passed over.
HWND WaitForDialog(DWORD processId, DWORD timeoutMilliseconds = ReactionTimeout, HWND passOver = nullptr);
// The visible dialogs of the process, enabled or not.
std::vector<HWND> VisibleDialogsOf(DWORD processId);

// What a message box's icon looks like, told apart by its colours.
enum class IconLook { None, Error, Exclamation, Question, Other };
const char* Describe(IconLook look);
inline std::ostream& operator<<(std::ostream& out, IconLook look) {
    return out << Describe(look);
}

struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::wstring unicodeText;  // the same text as the box holds it
    IconLook icon = IconLook::None;
    std::vector<int> buttons;  // identifiers of the buttons shown, in order
};
MessageBoxView ReadMessageBox(HWND box);

// Clicks a dialog's button (IDOK, IDCANCEL, IDYES, IDNO...) with the mouse.
void ClickDialogButton(HWND dialog, int id);

struct FileDialogView {
    HWND window = nullptr;
    std::string title;
    std::string fileName;  // what the file-name field offers
    std::string filter;    // the file type selected
};
bool IsFileDialog(HWND dialog);
FileDialogView ReadFileDialog(HWND dialog);
HWND FileNameField(HWND dialog);
// The list of file types of a file dialog.
HWND FileTypeList(HWND dialog);
// Replaces the file-name field's text by typing, then presses Enter.
void TypeFileNameAndEnter(HWND dialog, const std::string& name);
void TypeFileNameAndEnter(HWND dialog, const std::wstring& name);
