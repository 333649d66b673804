#include "acceptance/ModalDialogs.h"

#include <algorithm>

#include "acceptance/ScreenPixels.h"
#include "acceptance/UserInput.h"
#include "acceptance/WindowQuery.h"

namespace {

constexpr int MessageTextId = 0xFFFF;
constexpr int MessageIconId = 0x440;
constexpr int ExplorerFileNameId = 0x47C;
constexpr int OldFileNameId = 0x480;
constexpr int FileTypeId = 0x470;

bool IsDialog(HWND window) {
    return ClassNameOf(window) == "#32770";
}

HWND FindDescendant(HWND parent, int id, const char* className) {
    for (const HWND child : DescendantsOf(parent)) {
        if (GetDlgCtrlID(child) == id && lstrcmpiA(ClassNameOf(child).c_str(), className) == 0) {
            return child;
        }
    }
    return nullptr;
}

// The icon's pixels as the screen shows them, sorted by hue: the error icon is mostly red,
// the exclamation icon orange to yellow, the question icon blue.
IconLook LookOfIconAt(const RECT& rect) {
    const ScreenPixels icon(rect);
    int red = 0;
    int orange = 0;
    int blue = 0;
    int coloured = 0;
    for (int i = 0; i < icon.Width() * icon.Height(); ++i) {
        const DWORD pixel = icon.At(i % icon.Width(), i / icon.Width());
        const int r = (pixel >> 16) & 0xFF;
        const int g = (pixel >> 8) & 0xFF;
        const int b = pixel & 0xFF;
        const int high = std::max({r, g, b});
        const int low = std::min({r, g, b});
        if (high < 100 || high - low < high * 2 / 5) {
            continue;  // dark, or too grey to have a hue
        }
        ++coloured;
        int hue = 0;
        if (high == r) {
            hue = (60 * (g - b) / (high - low) + 360) % 360;
        } else if (high == g) {
            hue = 120 + 60 * (b - r) / (high - low);
        } else {
            hue = 240 + 60 * (r - g) / (high - low);
        }
        if (hue < 15 || hue >= 340) {
            ++red;
        } else if (hue < 70) {
            ++orange;
        } else if (hue >= 180 && hue < 260) {
            ++blue;
        }
    }
    if (coloured == 0) {
        return IconLook::None;
    }
    if (red * 2 > coloured) {
        return IconLook::Error;
    }
    if (orange * 2 > coloured) {
        return IconLook::Exclamation;
    }
    if (blue * 2 > coloured) {
        return IconLook::Question;
    }
    return IconLook::Other;
}

}  // namespace

const char* Describe(IconLook look) {
    switch (look) {
        case IconLook::None:
            return "no icon";
        case IconLook::Error:
            return "the error icon";
        case IconLook::Exclamation:
            return "the exclamation icon";
        case IconLook::Question:
            return "the question icon";
        case IconLook::Other:
            return "an icon of other colours";
    }
    return "?";
}

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    std::vector<HWND> found;
    for (const HWND window : TopLevelWindowsOf(processId)) {
        if (IsDialog(window) && IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMilliseconds, HWND passOver) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            for (const HWND window : VisibleDialogsOf(processId)) {
                if (window != passOver && IsWindowEnabled(window)) {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMilliseconds);
    if (dialog) {
        // Let it finish laying itself out and painting before it is read or operated.
        Sleep(200);
    }
    return dialog;
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.caption = CaptionOf(box);
    if (const HWND text = GetDlgItem(box, MessageTextId)) {
        view.text = TextOf(text);
        view.unicodeText = UnicodeTextOf(text);
    }
    const HWND icon = GetDlgItem(box, MessageIconId);
    if (icon && IsWindowVisible(icon)) {
        view.icon = LookOfIconAt(ScreenRectOf(icon));
    }
    std::vector<std::pair<LONG, int>> buttons;
    for (const HWND child : DescendantsOf(box)) {
        if (IsWindowVisible(child) && lstrcmpiA(ClassNameOf(child).c_str(), "Button") == 0) {
            buttons.emplace_back(ScreenRectOf(child).left, GetDlgCtrlID(child));
        }
    }
    std::sort(buttons.begin(), buttons.end());
    for (const auto& button : buttons) {
        view.buttons.push_back(button.second);
    }
    return view;
}

void ClickDialogButton(HWND dialog, int id) {
    if (const HWND button = GetDlgItem(dialog, id)) {
        ClickCentreOf(button);
    }
}

HWND FileNameField(HWND dialog) {
    // The Explorer dialog's name field is a combo box holding an edit, all with the same id;
    // older dialogs have a plain edit.
    HWND field = FindDescendant(dialog, ExplorerFileNameId, "Edit");
    return field ? field : FindDescendant(dialog, OldFileNameId, "Edit");
}

HWND FileTypeList(HWND dialog) {
    return FindDescendant(dialog, FileTypeId, "ComboBox");
}

bool IsFileDialog(HWND dialog) {
    return FileNameField(dialog) != nullptr;
}

FileDialogView ReadFileDialog(HWND dialog) {
    FileDialogView view;
    view.window = dialog;
    view.title = CaptionOf(dialog);
    if (const HWND field = FileNameField(dialog)) {
        view.fileName = TextOf(field);
    }
    if (const HWND types = FileTypeList(dialog)) {
        view.filter = TextOf(types);
    }
    return view;
}

namespace {

template <typename Text>
void ReplaceFileNameAndEnter(HWND dialog, const Text& name, Text (*textOf)(HWND)) {
    const HWND field = FileNameField(dialog);
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    if (FocusOf(thread) != field) {
        ClickCentreOf(field);
        WaitUntil([&] { return FocusOf(thread) == field; }, 3000);
    }
    PressKey(VK_END);
    PressKey(VK_HOME, {VK_SHIFT});
    PressKey(VK_DELETE);
    WaitUntil([&] { return textOf(field).empty(); }, 3000);
    TypeText(name);
    WaitUntil([&] { return textOf(field) == name; }, 5000);
    PressKey(VK_RETURN);
}

}  // namespace

void TypeFileNameAndEnter(HWND dialog, const std::string& name) {
    ReplaceFileNameAndEnter(dialog, name, TextOf);
}

void TypeFileNameAndEnter(HWND dialog, const std::wstring& name) {
    ReplaceFileNameAndEnter(dialog, name, UnicodeTextOf);
}
