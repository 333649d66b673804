#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "document/Document.h"
#include "document/DocumentWindow.h"
#include "platform/UniqueHandle.h"
#include "platform/disk/Win32DiskFiles.h"
#include "ui/ApplicationHost.h"
#include "ui/Dialogs.h"
#include "ui/FilePickers.h"
#include "ui/KeyboardNavigation.h"
#include "ui/MainWindowComponents.h"
#include "ui/WindowProcedure.h"

// The program's one window: the File menu, the page control with the project's edits,
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

    // Keyboard processing for the message loop: true when the message was taken and must not be
    // dispatched.
    bool PreTranslateMessage(MSG& message) { return navigation_->PreTranslateMessage(message); }

    // The close query: FormCloseQuery's answer. Its errors reach the caller.
    bool CloseQuery();

    // DocumentWindow.
    std::string EditText(std::size_t row) const override;
    void SetEditText(std::size_t row, const std::string& text) override;
    std::string ApplicationTitle() const override;
    void SetCaption(const ShownText& caption) override;
    void SetSaveDialogFileName(const FilePath& fileName) override;
    std::optional<FilePath> ExecuteSaveDialog() override;
    std::optional<FilePath> ExecuteOpenDialog() override;
    Answer Ask(const Box& question) override;
    void RequestClose() override;
    void NoteRecentDocument(const FilePath& fileName) override;

    // The document's state and a dialog's, as the window keeps them between commands.
    const TDocument& Document() const { return document_; }
    const TOpenDialog& FileDialog(DialogId id) const { return dialogs_[id]; }

    // A project named outside the open dialog (on the command line) opens as Open opens one.
    void OpenNamedZrtFile(const FilePath& fileName) { document_.OpenNamedZrtFile(fileName); }

private:
    ZUB_OWNED_WINDOW_PROCEDURE_FRIEND;
    void ReportHandlerError(const std::exception& error);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code);
    void OnActivate(bool active);
    void OnActivateApp(bool active);
    void OnLookAtFile();
    void OnDpiChanged(int dpi, const RECT& suggested);

    // Event handlers.
    void FormCreate();
    void PickFile(const FilePickerRow& picker);
    // A file's full name from the dialog or a drop, as the value of one of the file edits.
    void SetFileNameValue(TLabeledEdit& edit, const std::wstring& name);
    // Files dropped on the window: one on a file edit of the general page fills it as its
    // browse button would, one anywhere else opens as a project; anything else is refused.
    void FormDropFiles(HDROP drop);
    // The file edit of the general page under a point of the screen, or null.
    TLabeledEdit* FileEditAt(POINT screenPoint) const;

    ApplicationHost& host_;
    TFileDialogs dialogs_;
    TWin32DiskFiles disk_;
    TDocument document_;
    std::unique_ptr<TMainWindowComponents> components_;
    std::unique_ptr<TKeyboardNavigation> navigation_;
    // The program came to the front after another, and the project file has not been looked
    // at since.
    bool fileLookDue_ = false;
    // The document is setting the edits' texts: their changes are not the user's.
    bool settingValues_ = false;

    // Last, so that it goes first: its controls are destroyed with it while the objects that
    // serve them are still here.
    UniqueDetachedWindow window_;
};
