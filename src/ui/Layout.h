#pragma once

#include <array>
#include <cstddef>

#include "ui/ControlIds.h"

// The main window's layout as numbers at 96 pixels per inch, for a window font whose text is
// 12 pixels high. Bounds are left, top, width, height within the parent's client area.
struct Bounds {
    int Left;
    int Top;
    int Width;
    int Height;

    bool operator==(const Bounds&) const = default;
};

enum class ControlKind { LabeledEdit, Button, ListView };

// Where a labelled edit's caption sits: over the edit's left edge, or before it, centred on
// the edit's height.
enum class LabelPosition { None, Above, Left };

// One control of a page, in tab order.
struct ControlRow {
    ControlId Id;
    ControlKind Kind;
    Bounds Place;
    const char* Text;  // the label of an edit, the caption of a button
    LabelPosition Label;
    int MaxLength;  // bytes of the ANSI text the user may type; 0 for no limit
};

struct ListColumn {
    const char* Text;
    int Width;
};

namespace layout {

using enum ControlKind;
using enum LabelPosition;

inline constexpr int ClientWidth = 472;
inline constexpr int ClientHeight = 314;
inline constexpr const char* FontFace = "ＭＳ Ｐゴシック";
inline constexpr int FontTextHeight = 12;

inline constexpr Bounds PageControlBounds = {8, 8, 456, 298};

inline constexpr int LabelSpacing = 3;
inline constexpr int EditHeight = 20;

struct PageRow {
    ControlId Id;
    const char* Caption;
};

// The pages in order; the first shows at start.
inline constexpr auto Pages = std::to_array<PageRow>({
    {TabSheetGeneral, "基本設定"},
    {TabSheetHtmlResources, "HTML リソース"},
    {TabSheetVersionInfo, "バージョン情報"},
});

// The general page: a file edit per row, its browse button 8 pixels to its right, level with it.
inline constexpr int FileRowPitch = 51;
inline constexpr int FileEditLeft = 16;
inline constexpr int FileEditWidth = 388;
inline constexpr int BrowseButtonLeft = 412;
inline constexpr int BrowseButtonSize = 20;

constexpr Bounds FileEdit(int row) {
    return {FileEditLeft, 31 + row * FileRowPitch, FileEditWidth, EditHeight};
}
constexpr Bounds BrowseButton(int top) {
    return {BrowseButtonLeft, top, BrowseButtonSize, BrowseButtonSize};
}

// clang-format off
inline constexpr auto GeneralPage = std::to_array<ControlRow>({
    // Id                 Kind         Bounds                          Label or caption             Label  Max
    {LabeledEditZubrt,    LabeledEdit, FileEdit(0),                    "ZUB ランタイム ファイル:", Above, 256},
    {ButtonZubrt,         Button,      BrowseButton(FileEdit(0).Top),  "...",                      None,  0},
    {LabeledEditIcon,     LabeledEdit, FileEdit(1),                    "アイコン ファイル:",       Above, 256},
    {ButtonIcon,          Button,      BrowseButton(FileEdit(1).Top),  "...",                      None,  0},
    {LabeledEditManifest, LabeledEdit, FileEdit(2),                    "マニフェスト ファイル:",   Above, 256},
    {ButtonManifest,      Button,      BrowseButton(FileEdit(2).Top),  "...",                      None,  0},
});
// clang-format on

// The HTML resources page: two edits with their buttons, the list, and a column of four buttons
// 41 pixels apart beside it.
inline constexpr int HtmlEditLeft = 70;
inline constexpr int HtmlEditWidth = 332;
inline constexpr int HtmlColumnLeft = 352;
inline constexpr int HtmlColumnTop = 88;
inline constexpr int HtmlColumnPitch = 41;

constexpr Bounds HtmlEdit(int top) {
    return {HtmlEditLeft, top, HtmlEditWidth, EditHeight};
}
constexpr Bounds HtmlColumnButton(int index) {
    return {HtmlColumnLeft, HtmlColumnTop + index * HtmlColumnPitch, 80, 25};
}

// clang-format off
inline constexpr auto HtmlResourcesPage = std::to_array<ControlRow>({
    // Id                     Kind         Bounds                     Label or caption  Label  Max
    {LabeledEditHtmlFile,     LabeledEdit, HtmlEdit(16),              "ファイル名:",   Left,  256},
    {ButtonHtmlFile,          Button,      BrowseButton(16),          "...",           None,  0},
    {LabeledEditHtmlResource, LabeledEdit, HtmlEdit(52),              "リソース名:",   Left,  0},
    {ButtonHtmlAddition,      Button,      BrowseButton(52),          "+",             None,  0},
    {ListViewHtml,            ListView,    {16, HtmlColumnTop, 320, 167}, "",          None,  0},
    {ButtonHtmlReplace,       Button,      HtmlColumnButton(0),       "置換",          None,  0},
    {ButtonHtmlDelete,        Button,      HtmlColumnButton(1),       "削除",          None,  0},
    {ButtonHtmlUp,            Button,      HtmlColumnButton(2),       "上へ",          None,  0},
    {ButtonHtmlDown,          Button,      HtmlColumnButton(3),       "下へ",          None,  0},
});
// clang-format on

inline constexpr auto ListViewHtmlColumns = std::to_array<ListColumn>({
    {"リソース名", 75},
    {"パス", 200},
});

inline constexpr Bounds ScrollBoxBounds = {0, 16, 448, 239};
inline constexpr int ScrollBoxLineStepVertical = 8;
inline constexpr int ScrollBoxLineStepHorizontal = 38;

// The version page: the version texts' edits in two columns, all labelled above and without a
// length limit.
struct VersionRow {
    ControlId Id;
    int Column;
    int Row;
    const char* Label;
};

inline constexpr int VersionColumnLeft = 16;
inline constexpr int VersionColumnPitch = 208;
inline constexpr int VersionRowTop = 15;
inline constexpr int VersionRowPitch = 51;
inline constexpr int VersionEditWidth = 192;

// clang-format off
inline constexpr auto VersionInfoPage = std::to_array<VersionRow>({
    // Edit                            Column Row  Label
    {ProjectEdit("FileVerNumber"),     0,      0,   "FileVersionNumber:"},
    {ProjectEdit("ProductVerNumber"),  1,      0,   "ProductVersionNumber:"},
    {ProjectEdit("FileVersion"),       0,      1,   "ファイル バージョン:"},
    {ProjectEdit("ProductVersion"),    1,      1,   "製品バージョン:"},
    {ProjectEdit("FileDescription"),   0,      2,   "説明:"},
    {ProjectEdit("LegalCopyright"),    1,      2,   "著作権:"},
    {ProjectEdit("Comments"),          0,      3,   "コメント:"},
    {ProjectEdit("CompanyName"),       1,      3,   "会社名:"},
    {ProjectEdit("LegalTrademarks"),   0,      4,   "商標:"},
    {ProjectEdit("OriginalFilename"),  1,      4,   "正式ファイル名:"},
    {ProjectEdit("ProductName"),       0,      5,   "製品名:"},
    {ProjectEdit("InternalName"),      1,      5,   "内部名:"},
    {ProjectEdit("PrivateBuild"),      0,      6,   "プライベート ビルド番号:"},
    {ProjectEdit("SpecialBuild"),      1,      6,   "スペシャル ビルド番号:"},
});
// clang-format on

constexpr ControlRow VersionControl(const VersionRow& row) {
    const Bounds place = {VersionColumnLeft + row.Column * VersionColumnPitch,
                          VersionRowTop + row.Row * VersionRowPitch, VersionEditWidth, EditHeight};
    return {row.Id, LabeledEdit, place, row.Label, Above, 0};
}

// The layout steps of the window's creation: the HTML resources page's controls, in this
// order, painted on the button-face colour where marked, then disabled for good.
struct DisablingStep {
    ControlId Id;
    bool Paint;
};

inline constexpr auto HtmlPageDisabling = std::to_array<DisablingStep>({
    {LabeledEditHtmlFile, true},
    {ButtonHtmlFile, false},
    {LabeledEditHtmlResource, true},
    {ButtonHtmlAddition, false},
    {ListViewHtml, true},
    {ButtonHtmlReplace, false},
    {ButtonHtmlDelete, false},
    {ButtonHtmlUp, false},
    {ButtonHtmlDown, false},
});

// Each row of the project table has exactly one edit on the pages, so that a value added to the
// table without a place on a page, or placed twice, does not compile.
consteval bool EachProjectRowHasOneEdit() {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        int edits = 0;
        for (const ControlRow& control : GeneralPage) {
            edits += control.Kind == LabeledEdit && control.Id == ProjectEditId(row);
        }
        for (const VersionRow& control : VersionInfoPage) {
            edits += control.Id == ProjectEditId(row);
        }
        if (edits != 1) {
            return false;
        }
    }
    return true;
}
static_assert(EachProjectRowHasOneEdit(), "a project table row without an edit on a page, or with two");

}  // namespace layout
