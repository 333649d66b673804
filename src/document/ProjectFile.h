#pragma once

#include <string>

#include "document/ProjectTable.h"
#include "platform/IniFile.h"

// Reads every row of the project file at path into the record, then shows the record in the
// edits. What the file lacks (a key, a section, the whole file) loads as an empty value, so
// nothing of a project opened before can leak into this one.
void LoadProject(const std::string& path, const IniFileOpener& open, TProjectRecord& record, ProjectEdits& edits);

// Writes the text of every edit to the project file at path, empty ones included, in table
// order. Other sections and keys of the file stay. A refused write raises EIniFileException
// and leaves the rows before it written.
void StoreProject(const std::string& path, const IniFileOpener& open, const ProjectEdits& edits);
