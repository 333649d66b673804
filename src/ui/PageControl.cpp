#include "ui/PageControl.h"

#include <commctrl.h>

#include "ui/Container.h"
#include "ui/Controls.h"

TPageControl::TPageControl(HWND parent)
    : tabs_(CreateChild(WC_TABCONTROLA, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, parent, PageControl)) {
    for (std::size_t index = 0; index < PageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(layout::Pages[index].Caption);
        SendMessageA(tabs_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
        pages_[index] = CreateContainer(parent, layout::Pages[index].Id);
    }
    // Beneath its pages, or its background would paint over them.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SelectPage(0);
}

void TPageControl::Layout(const TDpiScale& scale, HFONT font) {
    SetWindowFont(tabs_, font);
    const Bounds bounds = scale(layout::PageControlBounds);
    PlaceWindow(tabs_, bounds);
    RECT display = {0, 0, bounds.Width, bounds.Height};
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (const HWND page : pages_) {
        PlaceWindow(page, {bounds.Left + display.left, bounds.Top + display.top, display.right - display.left,
                           display.bottom - display.top});
    }
}

std::size_t TPageControl::ActivePageIndex() const {
    return static_cast<std::size_t>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
}

void TPageControl::SelectPage(std::size_t index) {
    SendMessageA(tabs_, TCM_SETCURSEL, index, 0);
    ShowActivePage();
}

void TPageControl::SelectNextPage(bool forward) {
    SelectPage((ActivePageIndex() + (forward ? 1 : PageCount - 1)) % PageCount);
}

void TPageControl::OnSelectionChange() {
    ShowActivePage();
}

void TPageControl::ShowActivePage() {
    const std::size_t active = ActivePageIndex();
    for (std::size_t index = 0; index < PageCount; ++index) {
        const HWND page = pages_[index];
        if (index == active) {
            ShowWindow(page, SW_SHOWNA);
        } else {
            const HWND focus = GetFocus();
            if (focus && IsChild(page, focus)) {
                SetFocus(tabs_);
            }
            ShowWindow(page, SW_HIDE);
        }
    }
}
