#include "document/ProjectFile.h"

void LoadProject(const std::string& path, const IniFileOpener& open, TProjectRecord& record, ProjectEdits& edits) {
    {
        const auto file = open(path);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            record[row] = file->ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "");
        }
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.SetEditText(row, record[row]);
    }
}

void StoreProject(const std::string& path, const IniFileOpener& open, const ProjectEdits& edits) {
    const auto file = open(path);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        file->WriteEntry(ProjectTable[row].Section, ProjectTable[row].Key, edits.EditText(row));
    }
}
