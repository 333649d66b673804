#include "document/ProjectFile.h"

DiskRecord LoadProject(const std::string& path,
                       const IniFileOpener& open,
                       TProjectRecord& record,
                       ProjectEdits& edits) {
    TProjectRecord loaded;
    DiskRecord found;
    {
        const auto file = open(path, IniFileUse::Load);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            loaded[row] = file->ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "");
        }
        found = file->Found();
    }
    record = loaded;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.SetEditText(row, record[row]);
    }
    return found;
}

TProjectRecord EditTexts(const ProjectEdits& edits) {
    TProjectRecord texts;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        texts[row] = edits.EditText(row);
    }
    return texts;
}

void StoreProject(TCustomIniFile& file, const TProjectRecord& texts, const TStoredProject* stored) {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        const ProjectRow& key = ProjectTable[row];
        if (stored) {
            // Read from the copy being written: what the file holds at the moment of the save.
            const std::string held = stored->Texts ? (*stored->Texts)[row] : file.ReadEntry(key.Section, key.Key, "");
            if (texts[row] == held && file.HasEntry(key.Section, key.Key)) {
                continue;
            }
        }
        file.WriteEntry(key.Section, key.Key, texts[row]);
    }
}
