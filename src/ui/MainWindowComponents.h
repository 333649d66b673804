#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "document/ProjectTable.h"
#include "platform/UniqueHandle.h"
#include "ui/ControlIds.h"
#include "ui/Dpi.h"
#include "ui/LabeledEdit.h"
#include "ui/MainMenu.h"
#include "ui/PageControl.h"
#include "ui/ScrollBox.h"

// What the main window shows, built from the layout tables: the menu bar with its glyphs, the
// page control with its pages, each page's controls and the version page's scroll box, all in
// the window font, laid out and the window sized and centred at the window's density, and laid
// out anew when that density changes. The controls are the window's children and go with it.
class TMainWindowComponents {
public:
    TMainWindowComponents(HWND window, HINSTANCE instance);
    TMainWindowComponents(const TMainWindowComponents&) = delete;
    TMainWindowComponents& operator=(const TMainWindowComponents&) = delete;

    HFONT Font() const { return font_.get(); }
    TMainMenu& Menu() { return menu_; }
    TPageControl& Pages() { return *pageControl_; }

    // The labelled edit with this identifier; null for any other control.
    TLabeledEdit* FindEdit(ControlId id) const;
    // The edit that shows a row of the project table.
    TLabeledEdit& ProjectEdit(std::size_t row) const { return *projectEdits_.at(row); }
    // A button or the list view.
    HWND Control(ControlId id) const;

    // From now on the menu shows its glyphs, at every density.
    void AttachGlyphs();
    // The window moved to a monitor of another density: fonts, glyphs, layout and size follow,
    // and the window goes where the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);

private:
    // A control other than a labelled edit: a button or the list view.
    struct PlainControl {
        ControlRow Row;
        HWND Window;
    };

    void CreatePage(HWND page, const ControlRow* rows, std::size_t count);
    void Layout();
    void SizeToClientArea();
    void PlaceOnScreen();

    HWND window_;
    HINSTANCE instance_;
    TDpiScale scale_;
    UniqueFont font_;
    // Fonts replaced by a density change: controls hold on to them until that change has laid
    // them out with the new font, which one stopped by an error never did.
    std::vector<UniqueFont> formerFonts_;
    UniqueImageList glyphs_;
    bool glyphsAttached_ = false;
    TMainMenu menu_;
    std::unique_ptr<TPageControl> pageControl_;
    std::unique_ptr<TScrollBox> scrollBox_;
    std::vector<std::unique_ptr<TLabeledEdit>> edits_;
    std::vector<PlainControl> plainControls_;
    std::array<TLabeledEdit*, ProjectRowCount> projectEdits_{};
};
