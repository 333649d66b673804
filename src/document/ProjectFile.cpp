#include "document/ProjectFile.h"

#include "platform/AnsiText.h"

void LoadProject(const std::string& path, const IniFileOpener& open, TProjectRecord& record, ProjectEdits& edits) {
    TProjectRecord loaded;
    {
        const auto file = open(path, IniFileUse::Load);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            loaded[row] = file->ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "");
        }
    }
    record = loaded;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.SetEditText(row, record[row]);
    }
}

TProjectRecord EditTexts(const ProjectEdits& edits) {
    TProjectRecord texts;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        texts[row] = edits.EditText(row);
    }
    return texts;
}

void StoreProject(const std::string& path,
                  const IniFileOpener& open,
                  const TProjectRecord& texts,
                  const TStoredProject* stored) {
    // The program runs in code page 932, so its paths are Shift-JIS.
    const bool sameFile = stored && SameFileName(stored->FileName, path, IsShiftJisLeadByte);
    const auto file = open(path, IniFileUse::Save);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        const ProjectRow& key = ProjectTable[row];
        if (sameFile) {
            // Read from the copy being written: what the file holds at the moment of the save.
            const std::string held = stored->Texts ? (*stored->Texts)[row] : file->ReadEntry(key.Section, key.Key, "");
            if (texts[row] == held && file->HasEntry(key.Section, key.Key)) {
                continue;
            }
        }
        file->WriteEntry(key.Section, key.Key, texts[row]);
    }
    file->Commit();
}
