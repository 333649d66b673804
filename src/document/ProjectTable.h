#pragma once

#include <array>
#include <cstddef>
#include <string>

// One value of a project: the record field that keeps it and where the project file stores it.
// Loading, storing, the edits (LabeledEditZubrt to LabeledEditSpecialBuild) and a new project
// all walk the table in this order.
struct ProjectRow {
    const char* Field;
    const char* Section;
    const char* Key;
};

inline constexpr std::size_t ProjectRowCount = 17;

inline constexpr std::array<ProjectRow, ProjectRowCount> ProjectTable = {{
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
}};

// The values of a project as last loaded (or emptied by a new project), one per table row.
using TProjectRecord = std::array<std::string, ProjectRowCount>;

// The seventeen edits that hold the live values, addressed by table row.
class ProjectEdits {
public:
    virtual ~ProjectEdits() = default;
    virtual std::string EditText(std::size_t row) const = 0;
    // Changes the edit only when its text differs; a change is reported like one by the user.
    virtual void SetEditText(std::size_t row, const std::string& text) = 0;
};
