#include "document/ProjectFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "platform/profile/ProfileText.h"

FileSnapshot LoadProject(const FilePath& path, const IniFileOpener& open, ProjectEdits& edits, ProjectRows rows) {
    ProjectValues loaded(rows.size());
    FileSnapshot found;
    {
        const auto file = open(path, IniFileUse::Load);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            loaded[row] = file->ReadEntry(rows[row].Section, rows[row].Key, "");
        }
        found = file->Found();
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        edits.SetEditText(row, loaded[row]);
    }
    return found;
}

ProjectValues EditValues(const ProjectEdits& edits, ProjectRows rows) {
    ProjectValues values(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        values[row] = edits.EditText(row);
    }
    return values;
}

void StoreProject(TCustomIniFile& file, const ProjectValues& values, const StoredProject* stored, ProjectRows rows) {
    // Every read before the first write: a write rewrites the whole file, and a read after it
    // would read the whole file again.
    std::vector<bool> kept(rows.size(), false);
    if (stored) {
        // Read from the copy being written: what the file holds at the moment of the save. A
        // value that is not empty was read from a key that is there; only an empty one may stand
        // for a key that is missing, and the keys of its section are read in one go.
        std::map<std::string, std::vector<std::string>> keysOf;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const ProjectRow& key = rows[row];
            const std::string held = stored->Values ? (*stored->Values)[row] : file.ReadEntry(key.Section, key.Key, "");
            if (values[row] != held || !held.empty()) {
                kept[row] = values[row] == held;
                continue;
            }
            if (!keysOf.contains(key.Section)) {
                keysOf[key.Section] = file.ReadSection(key.Section);
            }
            kept[row] = std::ranges::any_of(keysOf[key.Section],
                                            [&](const std::string& name) { return SameProfileName(name, key.Key); });
        }
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!kept[row]) {
            file.WriteEntry(rows[row].Section, rows[row].Key, values[row]);
        }
    }
}
