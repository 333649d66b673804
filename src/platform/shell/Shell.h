#pragma once

#include <windows.h>

#include <string>

#include "platform/disk/FilePath.h"

// What the program asks of the shell besides its dialogs: the clipboard's text, and the list of
// the user's recent documents.

// The clipboard's text in the ANSI code page, empty when it holds none. Taken in Unicode and
// converted here: the text the system makes for CF_TEXT is in the code page of the language
// the text was copied in, which on an English system turns Japanese text into "?".
std::string ClipboardText(HWND owner);

// Tells the shell that the user worked on the file at path, so that it shows among the user's
// recent files and in the jump list of the program's taskbar button. A path that names no file
// (a new project never saved) is left out: the shell would keep a link to nothing.
void AddToRecentDocuments(const FilePath& path);
