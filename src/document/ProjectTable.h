#pragma once

#include <array>
#include <cstddef>
#include <string>

// One value of a project: the record field that keeps it, the edit that shows it, and where
// the project file stores it. Loading, storing, the edits and a new project all walk the
// table in this order.
struct ProjectRow {
    const char* Field;
    const char* Edit;
    const char* Section;
    const char* Key;
};

inline constexpr std::size_t ProjectRowCount = 17;

inline constexpr std::array<ProjectRow, ProjectRowCount> ProjectTable = {{
    {"RuntimeFile", "LabeledEditZubrt", "RUNTIME", "filename"},
    {"IconFile", "LabeledEditIcon", "ICON", "filename"},
    {"ManifestFile", "LabeledEditManifest", "MANIFEST", "filename"},
    {"FileVerNumber", "LabeledEditFileVerNumber", "VERSION", "FileVerNumber"},
    {"ProductVerNumber", "LabeledEditProductVerNumber", "VERSION", "ProductVerNumber"},
    {"FileVersion", "LabeledEditFileVersion", "VERSION", "FileVersion"},
    {"ProductVersion", "LabeledEditProductVersion", "VERSION", "ProductVersion"},
    {"FileDescription", "LabeledEditFileDescription", "VERSION", "FileDescription"},
    {"LegalCopyright", "LabeledEditLegalCopyright", "VERSION", "LegalCopyright"},
    {"Comments", "LabeledEditComments", "VERSION", "Comments"},
    {"CompanyName", "LabeledEditCompanyName", "VERSION", "CompanyName"},
    {"LegalTrademarks", "LabeledEditLegalTrademarks", "VERSION", "LegalTrademarks"},
    {"OriginalFilename", "LabeledEditOriginalFilename", "VERSION", "OriginalFilename"},
    {"ProductName", "LabeledEditProductName", "VERSION", "ProductName"},
    {"InternalName", "LabeledEditInternalName", "VERSION", "InternalName"},
    {"PrivateBuild", "LabeledEditPrivateBuild", "VERSION", "PrivateBuild"},
    {"SpecialBuild", "LabeledEditSpecialBuild", "VERSION", "SpecialBuild"},
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
