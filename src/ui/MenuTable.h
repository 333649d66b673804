#pragma once

#include <array>
#include <string>

// The File menu as data: what the menu shows, which glyph of the image list each item
// carries, and the key that runs it from anywhere in the window.
enum class ShortcutModifier { None, Ctrl, Alt };

struct Shortcut {
    ShortcutModifier Modifier;
    char Letter;      // 'A'..'Z', or 0
    int FunctionKey;  // 1..24, or 0
};

inline constexpr Shortcut NoShortcut = {ShortcutModifier::None, 0, 0};

// How a shortcut reads in the menu: "Ctrl+N", "Alt+F4"; empty for none.
std::string ShortcutText(const Shortcut& shortcut);

// Command identifiers of the menu items. Dialog-style key handling sends 1 and 2 for Enter
// and Escape; the window has no default or cancel button, so those stay unused.
enum MenuCommand : unsigned short {
    MenuFileNew = 101,
    MenuFileOpen,
    MenuFileSave,
    MenuFileSaveAs,
    MenuFileSeparator,
    MenuFileExit,
};

struct MenuRow {
    MenuCommand Command;
    const char* Caption;  // "-" for a separator line
    int ImageIndex;       // into the menu glyphs; -1 for none
    Shortcut Key;
};

inline constexpr int NoImage = -1;

namespace menu {

inline constexpr const char* MenuFileCaption = "ファイル(&F)";

inline constexpr std::array<MenuRow, 6> MenuFile = {{
    {MenuFileNew, "新規作成(&N)", 0, {ShortcutModifier::Ctrl, 'N', 0}},
    {MenuFileOpen, "開く(&O)...", 1, {ShortcutModifier::Ctrl, 'O', 0}},
    {MenuFileSave, "上書き保存(&S)", 2, {ShortcutModifier::Ctrl, 'S', 0}},
    {MenuFileSaveAs, "名前を付けて保存(&A)...", NoImage, NoShortcut},
    {MenuFileSeparator, "-", NoImage, NoShortcut},
    {MenuFileExit, "終了(&X)", 3, {ShortcutModifier::Alt, 0, 4}},
}};

inline constexpr int MenuGlyphSize = 16;
inline constexpr int MenuGlyphCount = 4;
// The sizes the glyphs are drawn at, smallest first: 100, 125, 150 and 200 %.
inline constexpr std::array<int, 4> MenuGlyphSets = {16, 20, 24, 32};

}  // namespace menu

// The set of glyphs a menu shows for the glyph size its density asks for: the largest set not
// larger, so that no glyph is ever stretched; the smallest set where every set is larger.
int MenuGlyphSetFor(int wantedSize);
