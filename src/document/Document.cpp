#include "document/Document.h"

#include <utility>

#include "document/DiskQuestion.h"
#include "document/ProjectFile.h"

const FilePath TDocument::UntitledName(UntitledFileName);

TDocument::TDocument(DocumentWindow& window, IniFileOpener openIniFile, DiskFiles& disk)
    : window_(window), openIniFile_(std::move(openIniFile)), disk_(disk), watch_(disk) {}

void TDocument::FormCreate() {
    SetCurrentFileName(UntitledName);
    window_.SetSaveDialogFileName(currentFileName_);
    modified_ = false;
    hasFile_ = false;
}

void TDocument::NewZrtFile() {
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        window_.SetEditText(row, "");
    }
    SetCurrentFileName(UntitledName);
    window_.SetSaveDialogFileName(currentFileName_);
    stored_.reset();
    watch_.Stop();
    unfinishedCopy_.reset();
    modified_ = false;
    hasFile_ = false;
}

void TDocument::OpenZrtFile(const FilePath& fileName) {
    // A file that cannot be read raises here, and the project on screen stays as it was.
    const FileSnapshot loaded = LoadProject(fileName, openIniFile_, window_);
    SetCurrentFileName(fileName);
    window_.SetSaveDialogFileName(currentFileName_);
    // Taken from the edits: a value they cannot show exactly is compared as they show it.
    TakeAsStored(EditValues(window_), loaded);
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
    // What killed saves left goes once the file is accepted as a project. The complete copy of a
    // save that ended while it wrote into the file stays, and is told.
    for (const FilePath& copy : disk_.ClearLeftCopies(currentFileName_)) {
        window_.Ask(UnfinishedSaveNotice(currentFileName_, copy));
    }
}

// The save road, from the first look at the file to what the watch knows of it after. Each step is one of the save
// object's (the platform's TSafeSave on Windows).
bool TDocument::SaveZrtFile() {
    const ProjectValues values = EditValues(window_);
    // 1. The save takes the file: only a file on a disk that the user may write, held against
    //    other writers until the save ends, and read whole once. A file that is no project file
    //    raises here.
    const auto file = openIniFile_(currentFileName_, IniFileUse::Save);
    // 2. The project's own file, under any spelling, may have been changed by another program
    //    since it was read or written here: the user says whether to write over that.
    const bool ownFile = watch_.Watches(currentFileName_, file->Found().Stamp.Identity);
    if (ownFile && !MayWriteOverFile(watch_.ChangeFound(file->Found()))) {
        return false;
    }
    // A save of it that broke off while it wrote into it left the whole new version beside it.
    if (ownFile && unfinishedCopy_) {
        file->BuildOn(*unfinishedCopy_);
    }
    // 3. The values go into the save's copy: into the project's own file, only what changed; a
    //    file made anew where it was gone gets every value.
    const bool backToFile = ownFile && file->Found().Stamp.Kind != DiskKind::Missing;
    StoreProject(*file, values, backToFile ? &*stored_ : nullptr);
    // 4. Looked at again: a program that held the file open for writing before the save took it
    //    may have changed it all the same.
    if (file->ChangedSinceFound() && window_.Ask(OverwriteQuestion(currentFileName_)) != Answer::Yes) {
        return false;
    }
    // 5. The save lands whole; what it wrote is the file as the watch knows it from now on.
    FileSnapshot written;
    try {
        written = file->Commit();
    } catch (const EUnfinishedSave& unfinished) {
        // The file holds the editor's own half-write now: the next save to it does not take that
        // for another program's change, and builds on the complete copy, not on the half-write.
        // Until then the project is not safe on disk.
        TakeAsStored(values, FileSnapshot{unfinished.Left()});
        unfinishedCopy_ = unfinished.Copy();
        modified_ = true;
        throw;
    }
    TakeAsStored(values, written);
    modified_ = false;
    hasFile_ = true;
    window_.NoteRecentDocument(currentFileName_);
    return true;
}

bool TDocument::MayWriteOverFile(DiskChange change) {
    switch (QuestionFor(change, modified_, DiskMoment::Save, watch_.Answered())) {
        case DiskQuestion::Overwrite:
            if (window_.Ask(OverwriteQuestion(currentFileName_)) != Answer::Yes) {
                return false;
            }
            watch_.MarkAnswered();
            KeepScreenOverFile();
            return true;
        default:
            return true;
    }
}

void TDocument::ApplicationActivate() {
    const DiskQuestion question = QuestionFor(watch_.ChangeNow(), modified_, DiskMoment::Activation, watch_.Answered());
    if (question == DiskQuestion::None) {
        return;
    }
    // The file that changed: the one last loaded or saved, which after a failed Save As is not
    // the one the caption names.
    const FilePath fileName = *watch_.Watched();
    switch (question) {
        case DiskQuestion::Reload:
        case DiskQuestion::ReloadDiscardingEdits:
            switch (window_.Ask(ReloadQuestion(fileName, question == DiskQuestion::ReloadDiscardingEdits))) {
                case Answer::Yes:
                    OpenZrtFile(fileName);
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
            window_.Ask(GoneNotice(fileName));
            watch_.MarkAnswered();
            modified_ = true;
            break;
        default:
            break;
    }
}

void TDocument::TakeAsStored(const ProjectValues& values, const FileSnapshot& onDisk) {
    stored_ = StoredProject{currentFileName_, values};
    watch_.Watch(currentFileName_, onDisk);
    unfinishedCopy_.reset();
}

void TDocument::KeepScreenOverFile() {
    // What the file holds is no longer what the edits showed: the save compares with the file.
    stored_->Values.reset();
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
    if (const std::optional<FilePath> chosen = window_.ExecuteOpenDialog()) {
        OpenZrtFile(*chosen);
    }
}

void TDocument::OpenNamedZrtFile(const FilePath& fileName) {
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
    const std::optional<FilePath> chosen = window_.ExecuteSaveDialog();
    if (!chosen) {
        return false;
    }
    SetCurrentFileName(*chosen);
    return SaveZrtFile();
}

void TDocument::SetCurrentFileName(const FilePath& fileName) {
    currentFileName_ = fileName;
    window_.SetCaption(currentFileName_ + " - " + window_.ApplicationTitle());
}
