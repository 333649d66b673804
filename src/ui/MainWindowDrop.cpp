// The main window's part in drag and drop: a file dropped on a file edit, or a project dropped
// anywhere else.
#include "ui/MainWindow.h"

#include <windows.h>

#include "platform/Exception.h"
#include "platform/disk/FileNames.h"
#include "platform/shell/DroppedFiles.h"
#include "ui/FilePickers.h"
#include "ui/Texts.h"

void TMainWindow::FormDropFiles(HDROP drop) {
    const TDroppedFiles files(drop);
    // While a box or dialog of the program is open, a drop must not start a second command.
    if (!IsWindowEnabled(Handle())) {
        return;
    }
    if (files.Count() != 1 || IsFolder(files.Name(0))) {
        throw Exception(DropOneFileOnlyText);
    }
    POINT point = files.Point();
    ClientToScreen(Handle(), &point);
    if (TLabeledEdit* edit = FileEditAt(point)) {
        // As the edit's browse button would set it.
        SetFileNameValue(*edit, files.Name(0));
        return;
    }
    document_.OpenNamedZrtFile(UsablePath(files.Name(0)));
}

TLabeledEdit* TMainWindow::FileEditAt(POINT screenPoint) const {
    for (const FilePickerRow& picker : layout::FilePickers) {
        TLabeledEdit* edit = components_->FindEdit(picker.Edit);
        RECT bounds{};
        if (IsWindowVisible(edit->Edit()) && GetWindowRect(edit->Edit(), &bounds) && PtInRect(&bounds, screenPoint)) {
            return edit;
        }
    }
    return nullptr;
}
