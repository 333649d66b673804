#pragma once

#include <string>

// The message boxes the document shows: their texts, buttons and icons, in one place.

// The message box's flags and answers by their Windows values (MB_YESNOCANCEL, MB_YESNO, MB_OK,
// the icons, MB_DEFBUTTON2, IDYES, IDNO); the names differ so that windows.h can never clash.
inline constexpr unsigned OkButton = 0x0;
inline constexpr unsigned YesNoCancelButtons = 0x3;
inline constexpr unsigned YesNoButtons = 0x4;
inline constexpr unsigned QuestionIcon = 0x20;
inline constexpr unsigned ExclamationIcon = 0x30;
inline constexpr unsigned SecondButtonDefault = 0x100;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;

// The caption of every box: the program's own text, whatever the application title reads.
inline constexpr const char* QuestionCaption = "ZUB Runtime Editor";

struct Question {
    std::string Text;
    unsigned Flags;
};

// Save the changes before the command goes on? Yes, No, Cancel.
Question SaveChangesQuestion(const std::string& fileName);
// Another program changed the file: read it again? Where the project holds changes of its own,
// Yes discards them, and No is the button Enter presses.
Question ReloadQuestion(const std::string& fileName, bool discardingEdits);
// Another program changed the file since it was read or written here: write over it? No is the
// button Enter presses.
Question OverwriteQuestion(const std::string& fileName);
// The file is no longer there.
Question GoneNotice(const std::string& fileName);
// The last save of the file ended while it wrote into the file; what it was saving is whole in
// the copy beside it.
Question UnfinishedSaveNotice(const std::string& fileName, const std::string& copyPath);
