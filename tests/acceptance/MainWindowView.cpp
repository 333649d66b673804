#include "acceptance/MainWindowView.h"

#include <cstdlib>

#include "acceptance/CommonControls.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

namespace {

// How far from its label an edit may sit and still be the one the label names: enough for
// any sensible spacing at any screen density, too little to reach the next row.
constexpr int LabelReach = 24;

bool Overlaps(LONG aFrom, LONG aTo, LONG bFrom, LONG bTo) {
    return aFrom < bTo && bFrom < aTo;
}

}  // namespace

MainWindowView::MainWindowView(HWND window) : window_(window) {
    for (const HWND child : DescendantsOf(window)) {
        if (ClassNameOf(child) == "SysTabControl32") {
            pageControl_ = child;
            break;
        }
    }
}

std::string MainWindowView::Caption() const {
    return CaptionOf(window_);
}

int MainWindowView::CurrentPage() const {
    return SelectedTab(pageControl_);
}

bool MainWindowView::ClickTab(Page page) {
    const int index = static_cast<int>(page);
    if (CurrentPage() == index) {
        return true;
    }
    ClickAt(CentreOf(TabScreenRect(pageControl_, index)));
    // The page shows while the page control handles the click, before it answers again.
    return WaitUntil([&] { return CurrentPage() == index; }, 5000);
}

std::vector<HWND> MainWindowView::VisibleControls(const char* className) const {
    return VisibleDescendantsOf(window_, className);
}

HWND MainWindowView::Label(const std::string& text) const {
    for (const HWND label : VisibleControls("Static")) {
        if (TextOf(label) == text) {
            return label;
        }
    }
    return nullptr;
}

HWND MainWindowView::EditLabelled(const std::string& text) const {
    const auto known = editsByLabel_.find(text);
    if (known != editsByLabel_.end() && IsWindow(known->second) && IsWindowVisible(known->second)) {
        return known->second;
    }
    const HWND label = Label(text);
    if (!label) {
        return nullptr;
    }
    const RECT labelRect = ScreenRectOf(label);
    HWND best = nullptr;
    int bestDistance = LabelReach + 1;
    for (const HWND edit : VisibleControls("Edit")) {
        const RECT editRect = ScreenRectOf(edit);
        int distance = LabelReach + 1;
        if (std::abs(editRect.left - labelRect.left) <= 4 && editRect.top >= labelRect.bottom) {
            distance = editRect.top - labelRect.bottom;  // label above
        } else if (editRect.left >= labelRect.right &&
                   Overlaps(editRect.top, editRect.bottom, labelRect.top, labelRect.bottom)) {
            distance = editRect.left - labelRect.right;  // label to the left
        }
        if (distance < bestDistance) {
            best = edit;
            bestDistance = distance;
        }
    }
    if (best) {
        editsByLabel_[text] = best;
    }
    return best;
}

HWND MainWindowView::BrowseButtonBeside(HWND edit) const {
    const RECT editRect = ScreenRectOf(edit);
    HWND best = nullptr;
    LONG bestDistance = LabelReach + 1;
    for (const HWND button : VisibleControls("Button")) {
        const RECT rect = ScreenRectOf(button);
        if (TextOf(button) == "..." && rect.left >= editRect.right && rect.left - editRect.right < bestDistance &&
            Overlaps(rect.top, rect.bottom, editRect.top, editRect.bottom)) {
            best = button;
            bestDistance = rect.left - editRect.right;
        }
    }
    return best;
}

RECT MainWindowView::PageScreenRect(HWND control) const {
    // The page is the ancestor just below the page control, or below the main window when
    // the pages are not children of the page control; without page windows, the page
    // control's display area.
    HWND page = nullptr;
    for (HWND ancestor = GetParent(control); ancestor && ancestor != window_; ancestor = GetParent(ancestor)) {
        const HWND parent = GetParent(ancestor);
        if (parent == pageControl_ || parent == window_) {
            page = ancestor;
            break;
        }
    }
    if (!page || page == pageControl_) {
        return TabDisplayScreenRect(pageControl_);
    }
    return ClientScreenRectOf(page);
}

RECT MainWindowView::BoundsOnPage(HWND control) const {
    RECT rect = ScreenRectOf(control);
    const RECT page = PageScreenRect(control);
    OffsetRect(&rect, -page.left, -page.top);
    return rect;
}

HWND MainWindowView::ScrollBox() const {
    const HWND edit = Edit(ProjectFields[FirstVersionField]);
    return edit ? GetParent(edit) : nullptr;
}

POINT MainWindowView::TitleBarButtonPoint(LRESULT hit) const {
    const RECT frame = ScreenRectOf(window_);
    const RECT client = ClientScreenRectOf(window_);
    // The buttons sit at the right end of the title bar, above the client area.
    for (int x = frame.right - 2; x > frame.right - 120 && x > frame.left; x -= 2) {
        for (int y = frame.top + 1; y < client.top; y += 2) {
            if (Ask(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) {
                // The first hit is the button's top right corner: aim at its middle.
                int left = x;
                while (Ask(window_, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == hit) {
                    --left;
                }
                int bottom = y;
                while (Ask(window_, WM_NCHITTEST, 0, MAKELPARAM(x, bottom + 1)) == hit) {
                    ++bottom;
                }
                return POINT{(left + x) / 2, (y + bottom) / 2};
            }
        }
    }
    return POINT{-1, -1};
}

POINT MainWindowView::FileMenuPoint() const {
    const RECT frame = ScreenRectOf(window_);
    const RECT client = ClientScreenRectOf(window_);
    // The menu bar lies just above the client area; its first entry starts at its left.
    for (int y = client.top - 1; y > frame.top; --y) {
        if (Ask(window_, WM_NCHITTEST, 0, MAKELPARAM(client.left + 8, y)) == HTMENU) {
            int top = y;
            while (Ask(window_, WM_NCHITTEST, 0, MAKELPARAM(client.left + 8, top - 1)) == HTMENU) {
                --top;
            }
            return POINT{client.left + 20, (top + y) / 2};
        }
    }
    return POINT{-1, -1};
}
