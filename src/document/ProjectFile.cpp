#include "document/ProjectFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "platform/ProfileText.h"

FileSnapshot LoadProject(const FilePath& path, const IniFileOpener& open, ProjectEdits& edits) {
    TProjectValues loaded;
    FileSnapshot found;
    {
        const auto file = open(path, IniFileUse::Load);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            loaded[row] = file->ReadEntry(ProjectTable[row].Section, ProjectTable[row].Key, "");
        }
        found = file->Found();
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        edits.SetEditText(row, loaded[row]);
    }
    return found;
}

TProjectValues EditTexts(const ProjectEdits& edits) {
    TProjectValues texts;
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        texts[row] = edits.EditText(row);
    }
    return texts;
}

void StoreProject(TCustomIniFile& file, const TProjectValues& texts, const TStoredProject* stored) {
    // Every read before the first write: a write rewrites the whole file, and a read after it
    // would read the whole file again.
    std::array<bool, ProjectRowCount> kept{};
    if (stored) {
        // Read from the copy being written: what the file holds at the moment of the save. A
        // value that is not empty was read from a key that is there; only an empty one may stand
        // for a key that is missing, and the keys of its section are read in one go.
        std::map<std::string, std::vector<std::string>> keysOf;
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            const ProjectRow& key = ProjectTable[row];
            const std::string held = stored->Texts ? (*stored->Texts)[row] : file.ReadEntry(key.Section, key.Key, "");
            if (texts[row] != held || !held.empty()) {
                kept[row] = texts[row] == held;
                continue;
            }
            if (!keysOf.contains(key.Section)) {
                keysOf[key.Section] = file.ReadSection(key.Section);
            }
            kept[row] = std::ranges::any_of(keysOf[key.Section],
                                            [&](const std::string& name) { return SameProfileName(name, key.Key); });
        }
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        if (!kept[row]) {
            file.WriteEntry(ProjectTable[row].Section, ProjectTable[row].Key, texts[row]);
        }
    }
}
