#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Pictures of the screen for people to look at, taken with ImageMagick's import on the X
// display that Wine draws on. Off unless a folder was given (--screenshots=<Linux folder>).
void SetScreenshotFolder(const std::string& linuxFolder, const std::string& importCommand);
bool ScreenshotsWanted();

// Where Wine shows a Linux path: on drive Z:, which holds the Linux file system.
std::string WindowsPathOf(const std::string& linuxPath);

// Saves the part of the screen that the windows cover as <folder>/<name>.png; answers an
// empty text, or what went wrong.
std::string TakeScreenshot(const std::string& name, const std::vector<HWND>& windows);
