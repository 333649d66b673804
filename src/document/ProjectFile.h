#pragma once

#include <optional>
#include <string>

#include "document/ProjectTable.h"
#include "platform/profile/IniFile.h"

// What a project file held for each row when the project was last loaded from it or saved to
// it, as the edits showed it then; nothing where another program changed the file since and the
// user kept what the editor shows.
struct StoredProject {
    FilePath FileName;
    std::optional<ProjectValues> Values;
};

// Reads every row of the project file at path, then shows the values in the edits, and answers
// the file as it was read. What the file lacks (a key, a section, the whole file) loads as an
// empty value, so nothing of a project opened before can leak into this one. A file that exists
// but cannot be read, or is no text, raises EIniFileException before an edit changes.
// Every function here walks rows, the program's table unless a test gives another.
FileSnapshot LoadProject(const FilePath& path,
                         const IniFileOpener& open,
                         ProjectEdits& edits,
                         ProjectRows rows = ProjectTable);

// The values the project edits hold, in table order.
ProjectValues EditValues(const ProjectEdits& edits, ProjectRows rows = ProjectTable);

// Writes the values into the file a save has taken. Saved back to the file it came from (stored
// describes it), a row whose value is still the stored one is written only where its key is
// missing, so that a value the user did not change keeps its bytes, even where the edit could
// not show them exactly; where stored holds no values, a row is written where the file's value
// differs from it. Any other file (no stored) gets every row, empty ones included, in table
// order. Other sections and keys of the file stay.
void StoreProject(TCustomIniFile& file,
                  const ProjectValues& values,
                  const StoredProject* stored,
                  ProjectRows rows = ProjectTable);
