#include "ui/MainMenu.h"

#include <vector>

#include "platform/Exception.h"

namespace {

// A backspace, unlike a tab, sets the shortcut flush right in the menu.
std::string ItemText(const MenuRow& row) {
    const std::string shortcut = ShortcutText(row.Key);
    return shortcut.empty() ? std::string(row.Caption) : std::string(row.Caption) + "\b" + shortcut;
}

bool IsSeparator(const MenuRow& row) {
    return std::string_view(row.Caption) == "-";
}

ACCEL AcceleratorOf(const MenuRow& row) {
    ACCEL accel{};
    accel.fVirt = FVIRTKEY | (row.Key.Modifier == ShortcutModifier::Ctrl ? FCONTROL : FALT);
    accel.key =
        row.Key.Letter != 0 ? static_cast<WORD>(row.Key.Letter) : static_cast<WORD>(VK_F1 + row.Key.FunctionKey - 1);
    accel.cmd = row.Command;
    return accel;
}

}  // namespace

TMainMenu::TMainMenu() : bar_(CreateMenu()), file_(CreatePopupMenu()) {
    if (!bar_ || !file_ ||
        !AppendMenuA(bar_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file_), menu::MenuFileCaption)) {
        throw LastWin32Error();
    }
    std::vector<ACCEL> accelerators;
    for (const MenuRow& row : menu::MenuFile) {
        const bool added = IsSeparator(row) ? AppendMenuA(file_, MF_SEPARATOR, row.Command, nullptr)
                                            : AppendMenuA(file_, MF_STRING, row.Command, ItemText(row).c_str());
        if (!added) {
            throw LastWin32Error();
        }
        if (row.Key.Modifier != ShortcutModifier::None) {
            accelerators.push_back(AcceleratorOf(row));
        }
    }
    accelerators_.reset(CreateAcceleratorTableA(accelerators.data(), static_cast<int>(accelerators.size())));
    if (!accelerators_) {
        throw LastWin32Error();
    }
}

void TMainMenu::AttachTo(HWND window) {
    if (!SetMenu(window, bar_.get())) {
        throw LastWin32Error();
    }
    bar_.release();
}

void TMainMenu::AttachImageList(HIMAGELIST images) {
    images_ = images;
    for (const MenuRow& row : menu::MenuFile) {
        if (row.ImageIndex != NoImage) {
            MENUITEMINFOA item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_BITMAP;
            // The menu asks the window to measure and draw the glyph, which is then drawn
            // through the image list's mask.
            item.hbmpItem = HBMMENU_CALLBACK;
            SetMenuItemInfoA(file_, row.Command, FALSE, &item);
        }
    }
}

const MenuRow* TMainMenu::FindRow(UINT command) {
    for (const MenuRow& row : menu::MenuFile) {
        if (row.Command == command && row.ImageIndex != NoImage) {
            return &row;
        }
    }
    return nullptr;
}

bool TMainMenu::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || !images_ || !FindRow(item.itemID)) {
        return false;
    }
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images_, &width, &height);
    item.itemWidth = static_cast<UINT>(width);
    item.itemHeight = static_cast<UINT>(height);
    return true;
}

bool TMainMenu::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    const MenuRow* row = item.CtlType == ODT_MENU ? FindRow(item.itemID) : nullptr;
    if (!row || !images_) {
        return false;
    }
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images_, &width, &height);
    const RECT& area = item.rcItem;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ImageList_Draw(images_, row->ImageIndex, item.hDC, left, top, ILD_TRANSPARENT);
    return true;
}
