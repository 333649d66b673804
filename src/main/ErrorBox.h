#pragma once

#include <exception>
#include <string>

// The one display of an error: its message with the closing period, under caption, with an OK
// button and the error icon, modal to the program's windows (owned by none while the program
// has no window yet).
void ShowErrorBox(const std::exception& error, const std::string& caption);
