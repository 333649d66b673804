#include "ui/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "document/Texts.h"
#include "platform/disk/FileNames.h"
#include "platform/profile/Win32IniFile.h"
#include "platform/shell/Shell.h"
#include "platform/text/WideText.h"
#include "ui/AppMessages.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/MenuTable.h"

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = 0;

// The full path chosen in dialog; nothing when the user called it off.
std::optional<FilePath> ChosenIn(TOpenDialog& dialog) {
    return dialog.Execute() ? std::optional<FilePath>(dialog.FileName) : std::nullopt;
}

}  // namespace

TMainWindow::TMainWindow(HINSTANCE instance, ApplicationHost& host)
    : host_(host), document_(*this, OpenWin32IniFile, disk_) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    // A Unicode window: its caption names the project's file as the system names it.
    const char* className = RegisterProgramClass("ZubMainWindow", DefWindowProcW, COLOR_BTNFACE, true);
    window_.reset(CreateWindowExA(WindowExStyle, className, ProgramName, WindowStyle, 0, 0, 0, 0, host.Handle(),
                                  nullptr, instance, nullptr));
    if (!window_) {
        throw LastWin32Error();
    }
    RouteMessages(Handle(), *this, TextMessages::Unicode);
    components_ = std::make_unique<TMainWindowComponents>(Handle(), instance);
    navigation_ =
        std::make_unique<TKeyboardNavigation>(Handle(), components_->Pages(), components_->Menu().Accelerators());
    DragAcceptFiles(Handle(), TRUE);
    SendMessageA(Handle(), WM_FORMCREATE, 0, 0);
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::ReportHandlerError(const std::exception& error) {
    // The one place where an error of a handler stops: the host shows it and the program goes on.
    host_.ReportError(error);
}

LRESULT TMainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        window_.release();
    }
    // Until its components exist, the window takes the system's defaults.
    if (!navigation_) {
        return PassOn(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_FORMCREATE:
            FormCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DROPFILES:
            FormDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->idFrom == PageControl &&
                reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
                components_->Pages().OnSelectionChange();
            }
            return 0;
        case WM_MEASUREITEM:
            return components_->Menu().OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            return components_->Menu().OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
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
            navigation_->RestoreFocus();
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
            return reinterpret_cast<LRESULT>(components_->Font());
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
    }
    return PassOn(window, message, wParam, lParam);
}

// Menu items and their shortcuts send their command with code 0 or 1; controls send their own
// identifier with a notification code.
void TMainWindow::OnCommand(WORD id, WORD code) {
    if (code == EN_CHANGE && IsProjectEdit(id)) {
        // The user's change; a text the document sets is its own.
        if (!settingValues_) {
            document_.Change();
        }
        return;
    }
    if (code == BN_CLICKED) {
        if (const FilePickerRow* picker = FilePickerOf(id)) {
            PickFile(*picker);
            return;
        }
    }
    // clang-format off
    switch (id) {
        case MenuFileNew: document_.MenuFileNewClick(); break;
        case MenuFileOpen: document_.MenuFileOpenClick(); break;
        case MenuFileSave: document_.MenuFileSaveClick(); break;
        case MenuFileSaveAs: document_.MenuFileSaveAsClick(); break;
        case MenuFileExit: document_.MenuFileExitClick(); break;
        default: break;
    }
    // clang-format on
}

void TMainWindow::OnActivate(bool active) {
    navigation_->OnActivate(active);
    if (active && fileLookDue_) {
        PostMessageA(Handle(), WM_LOOKATFILE, 0, 0);
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
    document_.ApplicationActivate();
}

void TMainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    components_->OnDpiChanged(dpi, suggested);
    host_.ShowApplicationIcon(Handle(), dpi);
}

bool TMainWindow::CloseQuery() {
    bool canClose = true;
    document_.FormCloseQuery(canClose);
    return canClose;
}

std::string TMainWindow::EditText(std::size_t row) const {
    return components_->ProjectEdit(row).Text();
}

void TMainWindow::SetEditText(std::size_t row, const std::string& text) {
    TLabeledEdit& edit = components_->ProjectEdit(row);
    if (edit.Text() != text) {
        const bool setting = std::exchange(settingValues_, true);
        edit.SetText(text);
        settingValues_ = setting;
    }
}

std::string TMainWindow::ApplicationTitle() const {
    return host_.Title();
}

void TMainWindow::SetCaption(const ShownText& caption) {
    SetWindowTextW(Handle(), Wide(caption).c_str());
}

void TMainWindow::SetSaveDialogFileName(const FilePath& fileName) {
    dialogs_[SaveDialog].FileName = fileName;
}

std::optional<FilePath> TMainWindow::ExecuteSaveDialog() {
    return ChosenIn(dialogs_[SaveDialog]);
}

std::optional<FilePath> TMainWindow::ExecuteOpenDialog() {
    return ChosenIn(dialogs_[OpenDialog]);
}

Answer TMainWindow::Ask(const Box& question) {
    return AskInMessageBox(question);
}

void TMainWindow::RequestClose() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainWindow::NoteRecentDocument(const FilePath& fileName) {
    AddToRecentDocuments(fileName);
}

void TMainWindow::FormCreate() {
    for (const layout::DisablingStep& step : layout::HtmlPageDisabling) {
        if (TLabeledEdit* edit = components_->FindEdit(step.Id)) {
            if (step.Paint) {
                edit->SetColor(COLOR_BTNFACE);
            }
            edit->SetEnabled(false);
            continue;
        }
        const HWND control = components_->Control(step.Id);
        if (step.Paint) {
            SendMessageA(control, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
            SendMessageA(control, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
        }
        EnableWindow(control, FALSE);
    }
    components_->AttachGlyphs();

    document_.FormCreate();
}

void TMainWindow::PickFile(const FilePickerRow& picker) {
    TLabeledEdit& edit = *components_->FindEdit(picker.Edit);
    TOpenDialog& dialog = dialogs_[picker.Dialog];
    // What the dialog offers follows the edit, whatever was chosen in the dialog before.
    dialog.FileName = PathOf(WidenAnsi(edit.Text()));
    if (dialog.Execute()) {
        SetFileNameValue(edit, Wide(dialog.FileName));
    }
}

void TMainWindow::SetFileNameValue(TLabeledEdit& edit, const std::wstring& name) {
    // A value is text in the code page, within the edit's limit: a name that is not is refused,
    // never cut or swapped for a look-alike, and the edit keeps its text.
    const int limit = edit.Row().MaxLength;
    const std::string value = FileNameAsValue(name, limit > 0 ? static_cast<std::size_t>(limit) : std::string::npos);
    if (value != edit.Text()) {
        edit.SetText(value);
    }
}
