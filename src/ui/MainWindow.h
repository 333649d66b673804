#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/Document.h"
#include "document/DocumentWindow.h"
#include "platform/Win32DiskFiles.h"
#include "ui/ApplicationHost.h"
#include "ui/Dpi.h"
#include "ui/FileDialogs.h"
#include "ui/FilePickers.h"
#include "ui/LabeledEdit.h"
#include "ui/MainMenu.h"
#include "ui/PageControl.h"
#include "ui/ScrollBox.h"
#include "ui/UniqueHandle.h"
#include "ui/WindowProcedure.h"

// The program's one window: the File menu, the page control with the project's seventeen edits,
// and the six file dialogs. It owns the document and shows it; every event reaches one handler
// named after its component and event.
class TMainWindow : public DocumentWindow {
public:
    // Creates the window hidden, owned by the application's window and centred on the virtual
    // screen, and runs FormCreate; an error of FormCreate goes to the host and creation goes on.
    TMainWindow(HINSTANCE instance, ApplicationHost& host);
    ~TMainWindow() override;
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    HWND Handle() const { return window_.get(); }

    // Keyboard processing for the message loop: the menu shortcuts wherever the focus is,
    // Ctrl+Tab and Ctrl+Shift+Tab between pages, Tab and Shift+Tab between controls. True when
    // the message was taken and must not be dispatched.
    bool PreTranslateMessage(MSG& message);

    // The close query: FormCloseQuery's answer. Its errors reach the caller.
    bool CloseQuery();

    // For looking the window over: a component by its layout name (edits, buttons, the list
    // view, the pages, the page control and the scroll box), an edit's label, a dialog.
    HWND Component(std::string_view name) const;
    HWND LabelOf(std::string_view editName) const;
    const TOpenDialog& Dialog(std::string_view name) const;
    const TDocument& Document() const { return document_; }
    int ScrollPosition() const { return scrollBox_->Position(SB_VERT); }

    // DocumentWindow.
    std::string EditText(std::size_t row) const override;
    void SetEditText(std::size_t row, const std::string& text) override;
    std::string ApplicationTitle() const override;
    void SetCaption(const std::string& caption) override;
    std::string SaveDialogFileName() const override;
    void SetSaveDialogFileName(const std::string& fileName) override;
    bool ExecuteSaveDialog() override;
    std::string OpenDialogFileName() const override;
    bool ExecuteOpenDialog() override;
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void RequestClose() override;
    void NoteRecentDocument(const std::string& fileName) override;

    // Event handlers.
    void FormCreate();
    void MenuFileNewClick();
    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void MenuFileSaveAsClick();
    void MenuFileExitClick();
    void ButtonZubrtClick();
    void ButtonIconClick();
    void ButtonManifestClick();
    void Change();
    // Files dropped on the window: one on a file edit of the general page fills it as its
    // browse button would, one anywhere else opens as a project; anything else is refused.
    void FormDropFiles(HDROP drop);

    // A project named outside the open dialog (on the command line) opens as Open opens one.
    void OpenNamedZrtFile(const std::string& fileName);

    // The program came to the front again after another program.
    void ApplicationActivate();

private:
    // A control other than a labelled edit: a button or the list view.
    struct PlainControl {
        ControlRow Row;
        HWND Window;
    };

    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    void AttachWindow(HWND window);
    void ReportHandlerError(const std::exception& error);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code, HWND control);
    void OnActivate(bool active);
    void OnActivateApp(bool active);
    void OnLookAtFile();
    void OnDpiChanged(int dpi, const RECT& suggested);

    void CreateComponents();
    void CreatePage(HWND page, const ControlRow* rows, std::size_t count);
    void Layout();
    void SizeToClientArea();
    void PlaceOnScreen();
    void RestoreFocus();
    bool MoveFocus(bool backwards);
    void PickFile(const FilePickerRow& picker);
    // The file edit of the general page under a point of the screen, or null.
    TLabeledEdit* FileEditAt(POINT screenPoint) const;

    TLabeledEdit* FindEdit(std::string_view name) const;
    TLabeledEdit& ProjectEdit(std::size_t row) const;

    ApplicationHost& host_;
    HINSTANCE instance_;
    TDpiScale scale_{96};
    TFileDialogs dialogs_;
    TWin32DiskFiles disk_;
    TDocument document_;
    bool glyphsAttached_ = false;
    HWND focus_ = nullptr;  // the control to give the focus back to on activation
    // The program came to the front after another, and the project file has not been looked
    // at since.
    bool fileLookDue_ = false;

    UniqueFont font_;
    // Fonts replaced by a density change: controls hold on to them until that change has laid
    // them out with the new font, which one stopped by an error never did.
    std::vector<UniqueFont> formerFonts_;
    UniqueImageList glyphs_;
    TMainMenu menu_;
    std::unique_ptr<TPageControl> pageControl_;
    std::unique_ptr<TScrollBox> scrollBox_;
    std::vector<std::unique_ptr<TLabeledEdit>> edits_;
    std::vector<PlainControl> plainControls_;
    std::array<TLabeledEdit*, ProjectRowCount> projectEdits_{};

    // Last, so that it goes first: its controls are destroyed with it while the objects that
    // serve them are still here.
    UniqueDetachedWindow window_;
};
