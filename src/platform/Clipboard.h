#pragma once

#include <windows.h>

#include <string>

// The clipboard's text in the ANSI code page, empty when it holds none. Taken in Unicode and
// converted here: the text the system makes for CF_TEXT is in the code page of the language
// the text was copied in, which on an English system turns Japanese text into "?".
std::string ClipboardText(HWND owner);
