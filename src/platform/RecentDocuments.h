#pragma once

#include "platform/FilePath.h"

// Tells the shell that the user worked on the file at path, so that it shows among the user's
// recent files and in the jump list of the program's taskbar button. A path that names no file
// (a new project never saved) is left out: the shell would keep a link to nothing.
void AddToRecentDocuments(const FilePath& path);
