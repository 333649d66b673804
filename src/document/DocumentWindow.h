#pragma once

#include <optional>
#include <string>

#include "document/ProjectTable.h"
#include "platform/disk/FilePath.h"
#include "platform/text/ShownText.h"

// A message box of the document's: its text, its buttons and icon, and whether No is the button
// Enter presses.
struct Box {
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { QuestionMark, Exclamation };

    ShownText Text;
    Buttons Offered;
    Icon Shown;
    bool NoIsDefault = false;
};

// What the user answered: Cancel also for a box closed with Escape or its close button, and for
// one that could not be shown.
enum class Answer { Ok, Yes, No, Cancel };

// All the document needs of the main window: the project's edit texts, the caption, the save and
// open dialogs, the message box and a close request.
class DocumentWindow : public ProjectEdits {
public:
    // The application title as it reads at this moment.
    virtual std::string ApplicationTitle() const = 0;
    virtual void SetCaption(const ShownText& caption) = 0;

    // The name the save dialog offers next.
    virtual void SetSaveDialogFileName(const FilePath& fileName) = 0;
    // The full path the user chose in the save or the open dialog; nothing when it was called off.
    virtual std::optional<FilePath> ExecuteSaveDialog() = 0;
    virtual std::optional<FilePath> ExecuteOpenDialog() = 0;

    // A modal message box under the program's name; answers the button pressed.
    virtual Answer Ask(const Box& question) = 0;

    // Asks the window to close; the close request comes back through FormCloseQuery.
    virtual void RequestClose() = 0;

    // The project file was opened or saved: the shell lists it among the user's recent files.
    virtual void NoteRecentDocument(const FilePath& fileName) = 0;
};
