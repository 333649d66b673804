#include "ui/MenuTable.h"

std::string ShortcutText(const Shortcut& shortcut) {
    std::string text;
    switch (shortcut.Modifier) {
        case ShortcutModifier::None:
            return text;
        case ShortcutModifier::Ctrl:
            text = "Ctrl+";
            break;
        case ShortcutModifier::Alt:
            text = "Alt+";
            break;
    }
    if (shortcut.Letter != 0) {
        text += shortcut.Letter;
    } else {
        text += "F" + std::to_string(shortcut.FunctionKey);
    }
    return text;
}

int MenuGlyphSetFor(int wantedSize) {
    int chosen = menu::MenuGlyphSets.front();
    for (const int size : menu::MenuGlyphSets) {
        if (size <= wantedSize) {
            chosen = size;
        }
    }
    return chosen;
}
