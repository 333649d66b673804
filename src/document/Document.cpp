#include "document/Document.h"

#include <utility>

#include "document/ProgramName.h"
#include "document/ProjectFile.h"

namespace {

// The message box's flags and answers by their Windows values (MB_YESNOCANCEL,
// MB_ICONEXCLAMATION, IDYES, IDNO); the names differ so that windows.h can never clash.
constexpr unsigned YesNoCancelButtons = 0x3;
constexpr unsigned ExclamationIcon = 0x30;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

}  // namespace

TDocument::TDocument(DocumentWindow& window, IniFileOpener openIniFile)
    : window_(window), openIniFile_(std::move(openIniFile)) {}

void TDocument::FormCreate() {
    SetCurrentFileName(UntitledName);
    window_.SetSaveDialogFileName(currentFileName_);
    modified_ = false;
    hasFile_ = false;
}

void TDocument::NewZrtFile() {
    for (std::string& field : record_) {
        field.clear();
    }
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        window_.SetEditText(row, record_[row]);
    }
    SetCurrentFileName(UntitledName);
    window_.SetSaveDialogFileName(currentFileName_);
    stored_.reset();
    modified_ = false;
    hasFile_ = false;
}

void TDocument::OpenZrtFile(const std::string& fileName) {
    // A file that cannot be read raises here, and the project on screen stays as it was.
    LoadProject(fileName, openIniFile_, record_, window_);
    SetCurrentFileName(fileName);
    window_.SetSaveDialogFileName(currentFileName_);
    // Taken from the edits: a value they cannot show exactly is compared as they show it.
    stored_ = TStoredProject{currentFileName_, EditTexts(window_)};
    // Showing the loaded values reported changes of their own; the project is as on disk.
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
}

void TDocument::SaveZrtFile() {
    // A store that raises leaves the flags and the file as they were: nothing claims a save
    // that failed.
    const TProjectRecord texts = EditTexts(window_);
    StoreProject(currentFileName_, openIniFile_, texts, stored_ ? &*stored_ : nullptr);
    stored_ = TStoredProject{currentFileName_, texts};
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
}

void TDocument::Change() {
    modified_ = true;
}

void TDocument::MenuFileNewClick() {
    if (modified_ && !SaveFirst()) {
        return;
    }
    NewZrtFile();
}

void TDocument::MenuFileOpenClick() {
    if (modified_ && !SaveFirst()) {
        return;
    }
    if (window_.ExecuteOpenDialog()) {
        OpenZrtFile(window_.OpenDialogFileName());
    }
}

void TDocument::OpenNamedZrtFile(const std::string& fileName) {
    if (modified_ && !SaveFirst()) {
        return;
    }
    OpenZrtFile(fileName);
}

void TDocument::MenuFileSaveClick() {
    if (hasFile_) {
        SaveZrtFile();
    } else {
        SaveUnderChosenName();
    }
}

void TDocument::MenuFileSaveAsClick() {
    SaveUnderChosenName();
}

void TDocument::MenuFileExitClick() {
    window_.RequestClose();
}

void TDocument::FormCloseQuery(bool& CanClose) {
    if (!modified_) {
        return;
    }
    // Refused until the changes are safe, so that a save that raises cannot let the window go.
    CanClose = false;
    CanClose = SaveFirst();
}

int TDocument::SaveChangesPrompt() {
    const std::string text = "ファイル " + currentFileName_ + " の内容が変更されています。\r\n\r\n変更を保存しますか?";
    return window_.ShowMessageBox(text, ProgramName, YesNoCancelButtons | ExclamationIcon);
}

bool TDocument::SaveFirst() {
    switch (SaveChangesPrompt()) {
        case AnswerNo:
            return true;
        case AnswerYes:
            if (hasFile_) {
                SaveZrtFile();
                return true;
            }
            return SaveUnderChosenName();
        default:
            // Cancel, Escape, and a box that could not be shown: nothing may be lost.
            return false;
    }
}

bool TDocument::SaveUnderChosenName() {
    if (!window_.ExecuteSaveDialog()) {
        return false;
    }
    SetCurrentFileName(window_.SaveDialogFileName());
    SaveZrtFile();
    return true;
}

void TDocument::SetCurrentFileName(const std::string& fileName) {
    currentFileName_ = fileName;
    window_.SetCaption(currentFileName_ + " - " + window_.ApplicationTitle());
}
