#pragma once

#include <string>

#include "document/ProjectTable.h"

// All the document needs of the main window: the seventeen edit texts (a set that changes a
// text reports the change to TDocument::Change, like a change by the user), the caption, the
// save and open dialogs, the message box and a close request.
class DocumentWindow : public ProjectEdits {
public:
    // The application title as it reads at this moment.
    virtual std::string ApplicationTitle() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    virtual std::string SaveDialogFileName() const = 0;
    virtual void SetSaveDialogFileName(const std::string& fileName) = 0;
    // True when the user chose a name; SaveDialogFileName then gives its full path.
    virtual bool ExecuteSaveDialog() = 0;

    virtual std::string OpenDialogFileName() const = 0;
    virtual bool ExecuteOpenDialog() = 0;

    // A modal message box; answers the button pressed (IDYES 6, IDNO 7, IDCANCEL 2, ...).
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;

    // Asks the window to close; the close request comes back through FormCloseQuery.
    virtual void RequestClose() = 0;

    // The project file was opened or saved: the shell lists it among the user's recent files.
    virtual void NoteRecentDocument(const std::string& fileName) = 0;
};
