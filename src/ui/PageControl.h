#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "ui/Dpi.h"
#include "ui/Layout.h"

// One row of tabs over pages that fill its display area, the pages of layout::Pages in order.
// The pages are the tab control's siblings beneath it, so that dialog navigation walks the
// visible page's controls and comes back to the tab row.
class TPageControl {
public:
    static constexpr std::size_t PageCount = layout::Pages.size();

    // The tab control and pages belong to the parent and go with it.
    explicit TPageControl(HWND parent);
    TPageControl(const TPageControl&) = delete;
    TPageControl& operator=(const TPageControl&) = delete;

    HWND Handle() const { return tabs_; }
    HWND Page(std::size_t index) const { return pages_.at(index); }

    void Layout(const TDpiScale& scale, HFONT font);

    std::size_t ActivePageIndex() const;
    // Shows the page; a focus left on the page that hides goes to the tab row.
    void SelectPage(std::size_t index);
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, wrapping round.
    void SelectNextPage(bool forward);
    // The user clicked a tab.
    void OnSelectionChange();

private:
    void ShowActivePage();

    HWND tabs_;
    std::array<HWND, PageCount> pages_{};
};
