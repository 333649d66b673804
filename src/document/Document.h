#pragma once

#include <optional>
#include <string>

#include "document/Boxes.h"
#include "document/DocumentWindow.h"
#include "document/FileWatch.h"
#include "document/ProjectFile.h"
#include "document/ProjectTable.h"
#include "document/Texts.h"
#include "platform/disk/DiskFiles.h"
#include "platform/profile/IniFile.h"

// The project being edited: its state and the File commands. It knows the main
// window only as a DocumentWindow, and the disk only through the profile files and DiskFiles,
// so it runs without either.
class TDocument {
public:
    // The name of a project that has no file yet.
    static const FilePath UntitledName;

    TDocument(DocumentWindow& window, IniFileOpener openIniFile, DiskFiles& disk);

    // The document steps of the window's creation: an untitled, clean project.
    void FormCreate();

    // Document operations. SaveZrtFile answers false when the user called the save off.
    void NewZrtFile();
    // OpenZrtFile loads the file named, as the open dialog or another road returned it; a file
    // that cannot be read raises and changes nothing. A save that ended while it wrote into the
    // file is told first, whether the file loads or not.
    void OpenZrtFile(const FilePath& fileName);
    bool SaveZrtFile();

    // Any of the project edits changed its text.
    void Change();

    // The user came back to the program from another: a change of the project file on disk
    // since it was read or written here is told.
    void ApplicationActivate();

    // File commands and the close request.
    void MenuFileNewClick();
    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void MenuFileSaveAsClick();
    void MenuFileExitClick();
    void FormCloseQuery(bool& CanClose);

    // A file named outside the open dialog (on the command line, by a drop) opens as Open opens
    // the dialog's choice, after the save-first step when there are unsaved changes.
    void OpenNamedZrtFile(const FilePath& fileName);

    const FilePath& CurrentFileName() const { return currentFileName_; }
    bool Modified() const { return modified_; }
    bool HasFile() const { return hasFile_; }

private:
    // Before New, Open or a close of a changed project: false when the user called the command off.
    bool SaveFirst();
    // Runs the save dialog and saves under the name chosen there; false when it was called off.
    bool SaveUnderChosenName();
    // Before a save to the project's own file, which another program may have changed as change
    // says: false when the user would not write over the change.
    bool MayWriteOverFile(DiskChange change);
    // The project is the current file's from now on, as it held texts and as the disk holds it.
    void TakeAsStored(const ProjectValues& values, const FileSnapshot& onDisk);
    // The screen is kept over a file that another program changed: the next save makes the
    // file hold what the screen shows.
    void KeepScreenOverFile();
    // The file name and the caption always change together.
    void SetCurrentFileName(const FilePath& fileName);

    DocumentWindow& window_;
    IniFileOpener openIniFile_;
    DiskFiles& disk_;
    FilePath currentFileName_;
    bool modified_ = false;
    bool hasFile_ = false;
    // The file the project was loaded from or last saved to, and what it held; none for a new
    // project.
    std::optional<StoredProject> stored_;
    // The same file as the disk held it then.
    TFileWatch watch_;
    // The complete copy a save of that file left when it broke off while writing into it.
    std::optional<FilePath> unfinishedCopy_;
};
