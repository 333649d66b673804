// The main window's part in drag and drop, and in opening a project named outside its dialogs.
#include <windows.h>

#include "platform/DroppedFiles.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "ui/FilePickers.h"
#include "ui/MainWindow.h"
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
        // As the edit's browse button would set it, but never cut: the edit's limit holds.
        const int limit = edit->Row().MaxLength;
        const std::string name =
            ExactAnsiFileName(files.Name(0), limit > 0 ? static_cast<std::size_t>(limit) : MaxFileNameBytes);
        if (name != edit->Text()) {
            edit->SetText(name);
        }
        return;
    }
    document_.OpenNamedZrtFile(ExactAnsiFileName(files.Name(0), MaxFileNameBytes));
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
