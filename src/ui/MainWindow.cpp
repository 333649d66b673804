#include "ui/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <span>
#include <utility>

#include "platform/ModalFrame.h"
#include "platform/RecentDocuments.h"
#include "platform/Win32IniFile.h"
#include "ui/Controls.h"
#include "ui/MenuGlyphs.h"
#include "ui/Placement.h"
#include "ui/Win32Error.h"
#include "ui/WindowClass.h"

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = 0;

// FormCreate runs as a message of the window, so that its errors take the one road of every
// handler's errors.
constexpr UINT WM_FORMCREATE = WM_APP + 0x301;
// Posted when the program comes to the front: the project file is looked at once the activation
// is over, never inside it.
constexpr UINT WM_LOOKATFILE = WM_APP + 0x302;

HWND CreateListView(HWND parent) {
    const HWND list =
        CreateChild(WC_LISTVIEWA, "", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, parent);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t index = 0; index < layout::ListViewHtmlColumns.size(); ++index) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(layout::ListViewHtmlColumns[index].Text);
        column.cx = layout::ListViewHtmlColumns[index].Width;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

// A positive height asks for the text's cell height: the layout is built on a text height of 12,
// which holds even where a substitute face adds internal leading.
UniqueFont CreateWindowFont(const TDpiScale& scale) {
    UniqueFont font(::CreateFontA(scale(layout::FontTextHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, layout::FontFace));
    if (!font) {
        throw LastWin32Error();
    }
    return font;
}

void ScaleListViewColumns(HWND list, const TDpiScale& scale) {
    for (std::size_t index = 0; index < layout::ListViewHtmlColumns.size(); ++index) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, index, scale(layout::ListViewHtmlColumns[index].Width));
    }
}

}  // namespace

TMainWindow::TMainWindow(HINSTANCE instance, ApplicationHost& host)
    : host_(host), instance_(instance), document_(*this, OpenWin32IniFile, disk_) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    const char* className = RegisterProgramClass("ZubMainWindow", &OwnedWindowProcedure<TMainWindow>, COLOR_BTNFACE);
    if (!CreateWindowExA(WindowExStyle, className, layout::StoredCaption, WindowStyle, 0, 0, 0, 0, host.Handle(),
                         nullptr, instance, this)) {
        throw LastWin32Error();
    }
    scale_ = TDpiScale(WindowDpi(Handle()));
    font_ = CreateWindowFont(scale_);
    menu_.AttachTo(Handle());
    glyphs_ = CreateMenuGlyphs(instance_, scale_(layout::MenuGlyphSize));
    CreateComponents();
    Layout();
    PlaceOnScreen();
    focus_ = pageControl_->Handle();
    DragAcceptFiles(Handle(), TRUE);
    SendMessageA(Handle(), WM_FORMCREATE, 0, 0);
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::CreateComponents() {
    pageControl_ = std::make_unique<TPageControl>(Handle());
    CreatePage(pageControl_->Page(0), layout::GeneralPage.data(), layout::GeneralPage.size());
    CreatePage(pageControl_->Page(1), layout::HtmlResourcesPage.data(), layout::HtmlResourcesPage.size());
    scrollBox_ = std::make_unique<TScrollBox>(pageControl_->Page(2));
    for (const layout::VersionRow& row : layout::VersionInfoPage) {
        edits_.push_back(std::make_unique<TLabeledEdit>(scrollBox_->Handle(), layout::VersionControl(row)));
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        projectEdits_[row] = FindEdit(ProjectTable[row].Edit);
        if (!projectEdits_[row]) {
            throw Exception(std::string("no edit ") + ProjectTable[row].Edit);
        }
    }
}

void TMainWindow::CreatePage(HWND page, const ControlRow* rows, std::size_t count) {
    for (const ControlRow& row : std::span(rows, count)) {
        switch (row.Kind) {
            case ControlKind::LabeledEdit:
                edits_.push_back(std::make_unique<TLabeledEdit>(page, row));
                break;
            case ControlKind::Button:
                plainControls_.push_back(
                    {row,
                     CreateChild("BUTTON", row.Text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0, page)});
                break;
            case ControlKind::ListView:
                plainControls_.push_back({row, CreateListView(page)});
                break;
        }
    }
}

void TMainWindow::Layout() {
    SetWindowFont(Handle(), font_.get());
    pageControl_->Layout(scale_, font_.get());
    scrollBox_->ScrollHome();
    PlaceWindow(scrollBox_->Handle(), scale_(layout::ScrollBox));
    for (const auto& edit : edits_) {
        edit->Layout(scale_, font_.get());
    }
    for (const PlainControl& control : plainControls_) {
        SetWindowFont(control.Window, font_.get());
        PlaceWindow(control.Window, scale_(control.Row.Place));
        if (control.Row.Kind == ControlKind::ListView) {
            ScaleListViewColumns(control.Window, scale_);
        }
    }
    scrollBox_->UpdateScrollBars(scale_(layout::ScrollBoxLineStepVertical),
                                 scale_(layout::ScrollBoxLineStepHorizontal));
}

void TMainWindow::SizeToClientArea() {
    const int width = scale_(layout::ClientWidth);
    const int height = scale_(layout::ClientHeight);
    const RECT outer = OuterRectForClient(width, height, WindowStyle, WindowExStyle, true, scale_.Dpi());
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(Handle(), nullptr, 0, 0, outerWidth, outerHeight, flags);
    // Where the frame turns out other than the system foretold (a density that changed without
    // the frame's, as under Wine), the difference is made up.
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(Handle(), nullptr, 0, 0, outerWidth + width - client.right, outerHeight + height - client.bottom,
                     flags);
    }
}

void TMainWindow::PlaceOnScreen() {
    SizeToClientArea();
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    const Origin origin = CentredOrigin(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                        outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(Handle(), nullptr, origin.Left, origin.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWindow::AttachWindow(HWND window) {
    window_.reset(window);
}

void TMainWindow::ReportHandlerError(const std::exception& error) {
    // The one place where an error of a handler stops: the host shows it and the program goes on.
    host_.ReportError(error);
}

LRESULT TMainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_FORMCREATE:
            FormCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DROPFILES:
            FormDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == pageControl_->Handle() &&
                reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
                pageControl_->OnSelectionChange();
            }
            return 0;
        case WM_MEASUREITEM:
            return menu_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            return menu_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam));
            return 0;
        case WM_ACTIVATEAPP:
            OnActivateApp(wParam != FALSE);
            return 0;
        case WM_LOOKATFILE:
            OnLookAtFile();
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_CLOSE:
            if (CloseQuery()) {
                host_.Terminate();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return CloseQuery();
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                host_.Minimize();
                return 0;
            }
            break;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.get());
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_.release();
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TMainWindow::OnCommand(WORD id, WORD code, HWND control) {
    if (!control) {
        switch (id) {
            case MenuFileNew:
                MenuFileNewClick();
                break;
            case MenuFileOpen:
                MenuFileOpenClick();
                break;
            case MenuFileSave:
                MenuFileSaveClick();
                break;
            case MenuFileSaveAs:
                MenuFileSaveAsClick();
                break;
            case MenuFileExit:
                MenuFileExitClick();
                break;
            default:
                break;
        }
        return;
    }
    if (code == EN_CHANGE) {
        for (const TLabeledEdit* edit : projectEdits_) {
            if (edit->Edit() == control) {
                Change();
            }
        }
    } else if (code == BN_CLICKED) {
        if (control == Component("ButtonZubrt")) {
            ButtonZubrtClick();
        } else if (control == Component("ButtonIcon")) {
            ButtonIconClick();
        } else if (control == Component("ButtonManifest")) {
            ButtonManifestClick();
        }
    }
}

void TMainWindow::OnActivate(bool active) {
    if (active) {
        RestoreFocus();
        if (fileLookDue_) {
            PostMessageA(Handle(), WM_LOOKATFILE, 0, 0);
        }
        return;
    }
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) {
        focus_ = focus;
    }
}

void TMainWindow::OnActivateApp(bool active) {
    if (active) {
        fileLookDue_ = true;
        PostMessageA(Handle(), WM_LOOKATFILE, 0, 0);
    }
}

void TMainWindow::OnLookAtFile() {
    // Not over one of the program's own boxes or dialogs, which keep the main window disabled,
    // nor while it is hidden: its next activation looks again.
    if (!fileLookDue_ || !IsWindowEnabled(Handle()) || GetActiveWindow() != Handle()) {
        return;
    }
    fileLookDue_ = false;
    ApplicationActivate();
}

void TMainWindow::RestoreFocus() {
    const bool usable =
        focus_ && IsWindow(focus_) && IsChild(Handle(), focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_);
    SetFocus(usable ? focus_ : pageControl_->Handle());
}

void TMainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    // An error on the way leaves the controls with the font they have, which lives on.
    UniqueFont font = CreateWindowFont(TDpiScale(dpi));
    formerFonts_.reserve(formerFonts_.size() + 1);
    formerFonts_.push_back(std::exchange(font_, std::move(font)));
    scale_ = TDpiScale(dpi);
    glyphs_ = CreateMenuGlyphs(instance_, scale_(layout::MenuGlyphSize));
    if (glyphsAttached_) {
        menu_.AttachImageList(glyphs_.get());
    }
    host_.ShowApplicationIcon(Handle(), dpi);
    Layout();
    formerFonts_.clear();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SizeToClientArea();
}

bool TMainWindow::PreTranslateMessage(MSG& message) {
    const HWND window = Handle();
    if (!message.hwnd || (message.hwnd != window && !IsChild(window, message.hwnd))) {
        return false;
    }
    if (TranslateAcceleratorA(window, menu_.Accelerators(), &message)) {
        return true;
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        pageControl_->SelectNextPage(!shift);
        return true;
    }
    return MoveFocus(shift);
}

bool TMainWindow::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    if (focus && !IsChild(Handle(), focus)) {
        return false;
    }
    if (focus && (SendMessageA(focus, WM_GETDLGCODE, VK_TAB, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
        return false;
    }
    const HWND next = GetNextDlgTabItem(Handle(), focus, backwards);
    if (!next) {
        return true;
    }
    // Entered from the keyboard, an edit offers its whole text for replacing.
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageA(next, EM_SETSEL, 0, -1);
    }
    SetFocus(next);
    return true;
}

bool TMainWindow::CloseQuery() {
    bool canClose = true;
    document_.FormCloseQuery(canClose);
    return canClose;
}

HWND TMainWindow::Component(std::string_view name) const {
    if (const TLabeledEdit* edit = FindEdit(name)) {
        return edit->Edit();
    }
    for (const PlainControl& control : plainControls_) {
        if (name == control.Row.Name) {
            return control.Window;
        }
    }
    for (std::size_t index = 0; index < layout::Pages.size(); ++index) {
        if (name == layout::Pages[index].Name) {
            return pageControl_->Page(index);
        }
    }
    if (name == layout::PageControlName) {
        return pageControl_->Handle();
    }
    if (name == layout::ScrollBoxName) {
        return scrollBox_->Handle();
    }
    throw Exception("no component " + std::string(name));
}

HWND TMainWindow::LabelOf(std::string_view editName) const {
    if (const TLabeledEdit* edit = FindEdit(editName)) {
        return edit->Label();
    }
    throw Exception("no labelled edit " + std::string(editName));
}

const TOpenDialog& TMainWindow::Dialog(std::string_view name) const {
    return dialogs_[name];
}

TLabeledEdit* TMainWindow::FindEdit(std::string_view name) const {
    for (const auto& edit : edits_) {
        if (name == edit->Row().Name) {
            return edit.get();
        }
    }
    return nullptr;
}

TLabeledEdit& TMainWindow::ProjectEdit(std::size_t row) const {
    return *projectEdits_.at(row);
}

std::string TMainWindow::EditText(std::size_t row) const {
    return ProjectEdit(row).Text();
}

void TMainWindow::SetEditText(std::size_t row, const std::string& text) {
    // Only a different text is set: setting it reports a change, which marks the document.
    if (ProjectEdit(row).Text() != text) {
        ProjectEdit(row).SetText(text);
    }
}

std::string TMainWindow::ApplicationTitle() const {
    return host_.Title();
}

void TMainWindow::SetCaption(const std::string& caption) {
    SetWindowTextA(Handle(), caption.c_str());
}

std::string TMainWindow::SaveDialogFileName() const {
    return dialogs_["SaveDialog"].FileName;
}

void TMainWindow::SetSaveDialogFileName(const std::string& fileName) {
    dialogs_["SaveDialog"].FileName = fileName;
}

bool TMainWindow::ExecuteSaveDialog() {
    return dialogs_["SaveDialog"].Execute();
}

std::string TMainWindow::OpenDialogFileName() const {
    return dialogs_["OpenDialog"].FileName;
}

bool TMainWindow::ExecuteOpenDialog() {
    return dialogs_["OpenDialog"].Execute();
}

int TMainWindow::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ModalMessageBox(text, caption, flags);
}

void TMainWindow::RequestClose() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainWindow::NoteRecentDocument(const std::string& fileName) {
    AddToRecentDocuments(fileName);
}

void TMainWindow::FormCreate() {
    for (const layout::DisablingStep& step : layout::HtmlPageDisabling) {
        if (TLabeledEdit* edit = FindEdit(step.Name)) {
            if (step.Paint) {
                edit->SetColor(COLOR_BTNFACE);
            }
            edit->SetEnabled(false);
            continue;
        }
        const HWND control = Component(step.Name);
        if (step.Paint) {
            SendMessageA(control, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
            SendMessageA(control, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
        }
        EnableWindow(control, FALSE);
    }
    menu_.AttachImageList(glyphs_.get());
    glyphsAttached_ = true;

    document_.FormCreate();
}

void TMainWindow::MenuFileNewClick() {
    document_.MenuFileNewClick();
}

void TMainWindow::MenuFileOpenClick() {
    document_.MenuFileOpenClick();
}

void TMainWindow::MenuFileSaveClick() {
    document_.MenuFileSaveClick();
}

void TMainWindow::MenuFileSaveAsClick() {
    document_.MenuFileSaveAsClick();
}

void TMainWindow::MenuFileExitClick() {
    document_.MenuFileExitClick();
}

void TMainWindow::ButtonZubrtClick() {
    PickFile(layout::FilePickers[0]);
}

void TMainWindow::ButtonIconClick() {
    PickFile(layout::FilePickers[1]);
}

void TMainWindow::ButtonManifestClick() {
    PickFile(layout::FilePickers[2]);
}

void TMainWindow::PickFile(const FilePickerRow& picker) {
    TLabeledEdit& edit = *FindEdit(picker.Edit);
    TOpenDialog& dialog = dialogs_[picker.Dialog];
    // What the dialog offers follows the edit, whatever was chosen in the dialog before.
    dialog.FileName = edit.Text();
    if (dialog.Execute() && dialog.FileName != edit.Text()) {
        edit.SetText(dialog.FileName);
    }
}

void TMainWindow::Change() {
    document_.Change();
}

void TMainWindow::ApplicationActivate() {
    document_.ApplicationActivate();
}
