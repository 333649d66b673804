#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

// The values of a project as the user meets them: which page shows the edit,
// the label above it, where the edit sits at 96 pixels per inch, how many bytes the user may
// type into it, and where the project file keeps the value. The tests hold this list of
// their own, so that a slip in the program's list shows up as a difference.

enum class Page { General = 0, HtmlResources = 1, VersionInfo = 2 };

struct ProjectField {
    const char* Label;
    Page OnPage;
    // The edit's bounds: in the page's client area on the general page, in the scroll box's
    // client area at scroll position 0 on the version page. Every edit is 20 high.
    int Left;
    int Top;
    int Width;
    int MaxBytes;  // 0: no limit
    const char* Section;
    const char* Key;
};

inline constexpr int EditHeight = 20;

inline constexpr auto ProjectFields = std::to_array<ProjectField>({
    {"ZUB ランタイム ファイル:", Page::General, 16, 31, 388, 256, "RUNTIME", "filename"},
    {"アイコン ファイル:", Page::General, 16, 82, 388, 256, "ICON", "filename"},
    {"マニフェスト ファイル:", Page::General, 16, 133, 388, 256, "MANIFEST", "filename"},
    {"FileVersionNumber:", Page::VersionInfo, 16, 15, 192, 0, "VERSION", "FileVerNumber"},
    {"ProductVersionNumber:", Page::VersionInfo, 224, 15, 192, 0, "VERSION", "ProductVerNumber"},
    {"ファイル バージョン:", Page::VersionInfo, 16, 66, 192, 0, "VERSION", "FileVersion"},
    {"製品バージョン:", Page::VersionInfo, 224, 66, 192, 0, "VERSION", "ProductVersion"},
    {"説明:", Page::VersionInfo, 16, 117, 192, 0, "VERSION", "FileDescription"},
    {"著作権:", Page::VersionInfo, 224, 117, 192, 0, "VERSION", "LegalCopyright"},
    {"コメント:", Page::VersionInfo, 16, 168, 192, 0, "VERSION", "Comments"},
    {"会社名:", Page::VersionInfo, 224, 168, 192, 0, "VERSION", "CompanyName"},
    {"商標:", Page::VersionInfo, 16, 219, 192, 0, "VERSION", "LegalTrademarks"},
    {"正式ファイル名:", Page::VersionInfo, 224, 219, 192, 0, "VERSION", "OriginalFilename"},
    {"製品名:", Page::VersionInfo, 16, 270, 192, 0, "VERSION", "ProductName"},
    {"内部名:", Page::VersionInfo, 224, 270, 192, 0, "VERSION", "InternalName"},
    {"プライベート ビルド番号:", Page::VersionInfo, 16, 321, 192, 0, "VERSION", "PrivateBuild"},
    {"スペシャル ビルド番号:", Page::VersionInfo, 224, 321, 192, 0, "VERSION", "SpecialBuild"},
});

// A field by where the file keeps its value, so that no test counts fields. A name not in the
// list is a compile error.
consteval std::size_t FieldOf(std::string_view section, std::string_view key) {
    for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
        if (ProjectFields[field].Section == section && ProjectFields[field].Key == key) {
            return field;
        }
    }
    throw "no field of this section and key";
}
consteval std::size_t VersionField(std::string_view key) {
    return FieldOf("VERSION", key);
}
// The first field of the version page, which the version fields follow in the file's order.
consteval std::size_t FirstOnVersionPage() {
    for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
        if (ProjectFields[field].OnPage == Page::VersionInfo) {
            return field;
        }
    }
    throw "no field on the version page";
}

// The fields of a page in the order the user reads them and Tab visits them: row by row, each
// row from the left. The list itself is in the file's order.
inline std::vector<std::size_t> FieldsInReadingOrder(Page page) {
    std::vector<std::size_t> fields;
    for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
        if (ProjectFields[field].OnPage == page) {
            fields.push_back(field);
        }
    }
    std::ranges::sort(fields, {},
                      [](std::size_t field) { return std::pair(ProjectFields[field].Top, ProjectFields[field].Left); });
    return fields;
}

inline constexpr std::size_t RuntimeField = FieldOf("RUNTIME", "filename");
inline constexpr std::size_t IconField = FieldOf("ICON", "filename");
inline constexpr std::size_t ManifestField = FieldOf("MANIFEST", "filename");
inline constexpr std::size_t FirstVersionField = FirstOnVersionPage();
inline constexpr std::size_t CommentsField = VersionField("Comments");
inline constexpr std::size_t ProductNameField = VersionField("ProductName");

// The texts of the program's own that the tests look for.
inline constexpr const char* ApplicationTitle = "ZUB Runtime Editor";
inline constexpr const char* UntitledName = "無題.zrt";
inline constexpr const char* PageTitles[] = {"基本設定", "HTML リソース", "バージョン情報"};
