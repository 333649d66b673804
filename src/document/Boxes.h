#pragma once

#include <string>

#include "document/DocumentWindow.h"

// The message boxes the document shows: their texts, buttons and icons, in one place.

// Save the changes before the command goes on? Yes, No, Cancel.
Box SaveChangesQuestion(const FilePath& fileName);
// Another program changed the file: read it again? Where the project holds changes of its own,
// Yes discards them, and No is the button Enter presses.
Box ReloadQuestion(const FilePath& fileName, bool discardingEdits);
// Another program changed the file since it was read or written here: write over it? No is the
// button Enter presses.
Box OverwriteQuestion(const FilePath& fileName);
// The file is no longer there.
Box GoneNotice(const FilePath& fileName);
// The last save of the file ended while it wrote into the file; what it was saving is whole in
// the copy beside it.
Box UnfinishedSaveNotice(const FilePath& fileName, const FilePath& copyPath);
