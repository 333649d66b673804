#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "acceptance/ProjectFields.h"

// The editor's main window as a person or an accessibility tool finds its way round it: the
// page control by its class, the pages by their tabs, an edit by the label that names it,
// a button by its caption and its place beside an edit. Nothing here knows the program's
// control identifiers.
class MainWindowView {
public:
    explicit MainWindowView(HWND window);

    HWND Handle() const { return window_; }
    HWND PageControl() const { return pageControl_; }
    std::string Caption() const;

    int CurrentPage() const;
    // Clicks the page's tab and waits until the page shows; answers whether it did.
    bool ClickTab(Page page);

    // The visible label that reads text, or null.
    HWND Label(const std::string& text) const;
    // The edit that the visible label names: below it or to its right. Null when the label
    // or the edit is not shown.
    HWND EditLabelled(const std::string& text) const;
    HWND Edit(const ProjectField& field) const { return EditLabelled(field.Label); }
    // The visible button captioned "..." level with the edit, to its right.
    HWND BrowseButtonBeside(HWND edit) const;
    std::vector<HWND> VisibleControls(const char* className) const;

    // The client area of the page that holds the control, in screen coordinates.
    RECT PageScreenRect(HWND control) const;
    // The control's bounds in the client area of its page.
    RECT BoundsOnPage(HWND control) const;
    // The scroll box of the version page: the window that holds its edits.
    HWND ScrollBox() const;

    // The middle of a button of the title bar (HTCLOSE, HTMINBUTTON), found by asking the
    // window what lies under the mouse; {-1, -1} when there is none.
    POINT TitleBarButtonPoint(LRESULT hit) const;
    POINT CloseButtonPoint() const { return TitleBarButtonPoint(HTCLOSE); }
    // The middle of the menu bar's first entry, where a click opens the File menu.
    POINT FileMenuPoint() const;

private:
    HWND window_;
    HWND pageControl_ = nullptr;
    mutable std::map<std::string, HWND> editsByLabel_;
};
