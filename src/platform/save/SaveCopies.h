#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk/FilePath.h"

// A new name for a save's copy of the file at path, in the same folder.
FilePath CopyNameBeside(const FilePath& path);
// The name a copy takes once it is complete and about to be written into the file.
FilePath CompleteNameOf(const FilePath& copy);
// A new name for a save's work file in the user's temporary folder; nothing where the system
// gives no such folder.
std::optional<FilePath> NewWorkFileName();

// Removes the copies that saves killed before their end left beside the file at path (its
// final path, not a link to it), except those a running save still holds. A complete copy,
// which a save was writing into the file, goes only where the file holds its bytes; answers the
// full paths of those that stay.
std::vector<FilePath> RemoveLeftSaveCopies(const FilePath& path);

// Removes the work files that saves killed before their end left in the user's temporary
// folder, except those a running save still holds.
void RemoveLeftWorkFiles();
