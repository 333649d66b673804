#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"
#include "ui/MenuTable.h"

// The menu bar with its File menu from menu::MenuFile, the accelerator table of the items'
// shortcuts, and the glyphs beside the items once an image list is attached.
class TMainMenu {
public:
    TMainMenu();
    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;

    // The window takes the menu bar over and destroys it with itself.
    void AttachTo(HWND window);
    HACCEL Accelerators() const { return accelerators_.get(); }

    // From now on the items with an image index show that glyph of images beside them.
    void AttachImageList(HIMAGELIST images);

    // WM_MEASUREITEM and WM_DRAWITEM for a glyph; false when the item is not one of the menu's.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) const;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) const;

private:
    static const MenuRow* FindRow(UINT command);

    UniqueMenu bar_;
    HMENU file_ = nullptr;  // owned by the bar
    UniqueAccelerators accelerators_;
    HIMAGELIST images_ = nullptr;
};
