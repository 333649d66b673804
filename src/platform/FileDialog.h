#pragma once

#include <string>

#include "platform/FileDialogOptions.h"

struct tagOFNW;

// A common file dialog. It keeps FileName and FilterIndex between runs, so it offers what
// was chosen in it last.
class TOpenDialog {
public:
    TOpenDialog() = default;
    virtual ~TOpenDialog() = default;
    TOpenDialog(const TOpenDialog&) = delete;
    TOpenDialog& operator=(const TOpenDialog&) = delete;

    // True when the user confirmed a name; FileName then holds the full path chosen and
    // FilterIndex the filter left selected. False on Cancel and on any failure of the
    // dialog, with nothing changed. A chosen name that the ANSI code page cannot hold exactly
    // raises Exception naming it, with nothing changed either.
    bool Execute();

    std::string FileName;
    std::string Filter;      // "description|pattern|description|pattern..."
    int FilterIndex = 1;     // 1-based
    std::string DefaultExt;  // without the dot
    TOpenOptions Options = DefaultOpenOptions();

protected:
    // Shows the dialog; nonzero when a name was chosen.
    virtual int RunDialog(tagOFNW& record);
};

class TSaveDialog : public TOpenDialog {
protected:
    int RunDialog(tagOFNW& record) override;
};
