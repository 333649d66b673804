#include "document/Document.h"

#include <utility>

#include "document/DiskQuestion.h"
#include "document/ProjectFile.h"
#include "platform/AnsiText.h"
#include "platform/Exception.h"

TDocument::TDocument(DocumentWindow& window, IniFileOpener openIniFile, DiskFiles& disk)
    : window_(window), openIniFile_(std::move(openIniFile)), disk_(disk), watch_(disk) {}

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
    watch_.Stop();
    modified_ = false;
    hasFile_ = false;
}

void TDocument::OpenZrtFile(const std::string& fileName) {
    // Looked at before it is read: a change made while it loads shows at the next look.
    const DiskRecord onDisk = watch_.Look(fileName);
    // What killed saves left goes at the latest now. A save that ended while it wrote into the
    // file is told before the load, which may refuse the half-written file and raises past here.
    for (const std::string& copy : disk_.ClearLeftCopies(fileName)) {
        window_.Ask(UnfinishedSaveNotice(fileName, copy));
    }
    // A file that cannot be read raises here, and the project on screen stays as it was.
    LoadProject(fileName, openIniFile_, record_, window_);
    SetCurrentFileName(fileName);
    window_.SetSaveDialogFileName(currentFileName_);
    // Taken from the edits: a value they cannot show exactly is compared as they show it.
    stored_ = TStoredProject{currentFileName_, EditTexts(window_)};
    watch_.Watch(currentFileName_, onDisk);
    // Showing the loaded values reported changes of their own; the project is as on disk.
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
}

bool TDocument::SaveZrtFile() {
    // Saved back to its own file, which the user chose again or never left.
    if (stored_ && SameFileName(stored_->FileName, currentFileName_, IsShiftJisLeadByte) && !MayWriteOverFile()) {
        return false;
    }
    // A store that raises leaves the flags and the file as they were: nothing claims a save
    // that failed.
    const TProjectRecord texts = EditTexts(window_);
    StoreProject(currentFileName_, openIniFile_, texts, stored_ ? &*stored_ : nullptr);
    stored_ = TStoredProject{currentFileName_, texts};
    watch_.Watch(currentFileName_, watch_.Look(currentFileName_));
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
    return true;
}

bool TDocument::MayWriteOverFile() {
    const DiskChange change = watch_.Check();
    switch (QuestionFor(change, modified_, DiskMoment::Save, watch_.Answered())) {
        case DiskQuestion::Overwrite:
            if (window_.Ask(OverwriteQuestion(currentFileName_)) != Answer::Yes) {
                return false;
            }
            watch_.MarkAnswered();
            KeepScreenOverFile();
            return true;
        case DiskQuestion::RefuseSave:
            throw change == DiskChange::Unreadable ? CannotReadIniFile(currentFileName_)
                                                   : NotAProjectFile(currentFileName_);
        default:
            return true;
    }
}

void TDocument::ApplicationActivate() {
    const DiskQuestion question = QuestionFor(watch_.Check(), modified_, DiskMoment::Activation, watch_.Answered());
    switch (question) {
        case DiskQuestion::Reload:
        case DiskQuestion::ReloadDiscardingEdits:
            switch (window_.Ask(ReloadQuestion(currentFileName_, question == DiskQuestion::ReloadDiscardingEdits))) {
                case Answer::Yes:
                    OpenZrtFile(currentFileName_);
                    break;
                case Answer::No:
                    watch_.MarkAnswered();
                    KeepScreenOverFile();
                    break;
                default:
                    // A box that could not be shown: asked again next time.
                    break;
            }
            break;
        case DiskQuestion::TellGone:
            window_.Ask(GoneNotice(currentFileName_));
            watch_.MarkAnswered();
            modified_ = true;
            break;
        default:
            break;
    }
}

void TDocument::KeepScreenOverFile() {
    // What the file holds is no longer what the edits showed: the save compares with the file.
    stored_->Texts.reset();
    modified_ = true;
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

bool TDocument::SaveFirst() {
    switch (window_.Ask(SaveChangesQuestion(currentFileName_))) {
        case Answer::No:
            return true;
        case Answer::Yes:
            return hasFile_ ? SaveZrtFile() : SaveUnderChosenName();
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
    return SaveZrtFile();
}

void TDocument::SetCurrentFileName(const std::string& fileName) {
    currentFileName_ = fileName;
    window_.SetCaption(currentFileName_ + " - " + window_.ApplicationTitle());
}
