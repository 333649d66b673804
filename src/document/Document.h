#pragma once

#include <optional>
#include <string>

#include "document/DocumentWindow.h"
#include "document/ProjectFile.h"
#include "document/ProjectTable.h"
#include "platform/IniFile.h"

// The project being edited: its record, its state and the File commands. It knows the main
// window only as a DocumentWindow, so it runs without one.
class TDocument {
public:
    static constexpr const char* UntitledName = "無題.zrt";

    TDocument(DocumentWindow& window, IniFileOpener openIniFile);

    // The document steps of the window's creation: an untitled, clean project.
    void FormCreate();

    // Document operations.
    void NewZrtFile();
    void OpenZrtFile(const std::string& fileName);
    void SaveZrtFile();

    // Any of the seventeen project edits changed its text.
    void Change();

    // File commands and the close request.
    void MenuFileNewClick();
    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void MenuFileSaveAsClick();
    void MenuFileExitClick();
    void FormCloseQuery(bool& CanClose);

    // A file named outside the open dialog (on the command line, by a drop) opens as Open opens
    // the dialog's choice, after the save-first step when there are unsaved changes.
    void OpenNamedZrtFile(const std::string& fileName);

    const std::string& CurrentFileName() const { return currentFileName_; }
    bool Modified() const { return modified_; }
    bool HasFile() const { return hasFile_; }

private:
    // Looks at the record, which nothing shows.
    friend struct DocumentInspector;

    // Asks whether to save the changes; answers the button pressed.
    int SaveChangesPrompt();
    // Before New, Open or a close of a changed project: false when the user called the command off.
    bool SaveFirst();
    // Runs the save dialog and saves under the name chosen there; false when it was cancelled.
    bool SaveUnderChosenName();
    // The file name and the caption always change together.
    void SetCurrentFileName(const std::string& fileName);

    DocumentWindow& window_;
    IniFileOpener openIniFile_;
    std::string currentFileName_;
    bool modified_ = false;
    bool hasFile_ = false;
    TProjectRecord record_;
    // The file the project was loaded from or last saved to, and what it held; none for a new
    // project.
    std::optional<TStoredProject> stored_;
};
