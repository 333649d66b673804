#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "platform/disk/FilePath.h"

// A common file dialog. It keeps FileName and FilterIndex between runs, so it offers what
// was chosen in it last.
class TOpenDialog {
public:
    TOpenDialog() = default;
    virtual ~TOpenDialog() = default;
    TOpenDialog(const TOpenDialog&) = delete;
    TOpenDialog& operator=(const TOpenDialog&) = delete;

    // True when the user confirmed a name; FileName then holds the full path chosen, exactly as
    // the system names it, and FilterIndex the filter left selected. False on Cancel and on any
    // failure of the dialog, a path longer than LongestPath included, with nothing changed.
    bool Execute();

    FilePath FileName;
    // The file types as OPENFILENAME takes them, "description\0pattern\0" each; the text's own
    // NUL ends the list with the second NUL it needs.
    std::string Filter;
    int FilterIndex = 1;     // 1-based
    std::string DefaultExt;  // without the dot
    // The OFN_ flags the dialog is opened with, besides the hook that places it and the Explorer
    // look, which it always has.
    DWORD Options = OFN_HIDEREADONLY | OFN_ENABLESIZING;

protected:
    // Shows the dialog; nonzero when a name was chosen.
    virtual int RunDialog(OPENFILENAMEW& record);
};

class TSaveDialog : public TOpenDialog {
protected:
    int RunDialog(OPENFILENAMEW& record) override;
};
