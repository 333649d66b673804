#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One value of a project: the name of its field and where the project file stores it. This
// table is the one list of a project's values: loading, storing, the edits and a new project
// all walk it, and the window's layout places each row's edit by the field's name.
struct ProjectRow {
    const char* Field;
    const char* Section;
    const char* Key;
};

inline constexpr auto ProjectTable = std::to_array<ProjectRow>({
    {"RuntimeFile", "RUNTIME", "filename"},
    {"IconFile", "ICON", "filename"},
    {"ManifestFile", "MANIFEST", "filename"},
    {"FileVerNumber", "VERSION", "FileVerNumber"},
    {"ProductVerNumber", "VERSION", "ProductVerNumber"},
    {"FileVersion", "VERSION", "FileVersion"},
    {"ProductVersion", "VERSION", "ProductVersion"},
    {"FileDescription", "VERSION", "FileDescription"},
    {"LegalCopyright", "VERSION", "LegalCopyright"},
    {"Comments", "VERSION", "Comments"},
    {"CompanyName", "VERSION", "CompanyName"},
    {"LegalTrademarks", "VERSION", "LegalTrademarks"},
    {"OriginalFilename", "VERSION", "OriginalFilename"},
    {"ProductName", "VERSION", "ProductName"},
    {"InternalName", "VERSION", "InternalName"},
    {"PrivateBuild", "VERSION", "PrivateBuild"},
    {"SpecialBuild", "VERSION", "SpecialBuild"},
});

inline constexpr std::size_t ProjectRowCount = ProjectTable.size();

// The rows that loading, storing and the edits walk: the program's table, or one a test builds.
using ProjectRows = std::span<const ProjectRow>;

// The row of the field so named. Evaluated while compiling, so a name not in the table is a
// compile error rather than a wrong row.
consteval std::size_t ProjectRowOf(std::string_view field) {
    for (std::size_t row = 0; row < ProjectTable.size(); ++row) {
        if (ProjectTable[row].Field == field) {
            return row;
        }
    }
    throw "no project field of this name";
}

// The values of a project, one per table row.
using ProjectValues = std::vector<std::string>;

// The edits that hold the live values, addressed by table row. Only the user's changes are
// reported (to TDocument::Change): a text the program sets is not, so that nothing it shows
// comes back to it as an edit.
class ProjectEdits {
public:
    virtual ~ProjectEdits() = default;
    virtual std::string EditText(std::size_t row) const = 0;
    // Changes the edit only where its text differs.
    virtual void SetEditText(std::size_t row, const std::string& text) = 0;
};
