#include "ui/Dialogs.h"

#include <windows.h>

#include "document/Texts.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/text/WideText.h"

TFileDialogs::TFileDialogs() {
    for (std::size_t index = 0; index < dialogs_.size(); ++index) {
        const DialogRow& row = dialogs::Dialogs[index];
        if (row.Kind == DialogKind::Save) {
            dialogs_[index] = std::make_unique<TSaveDialog>();
        } else {
            dialogs_[index] = std::make_unique<TOpenDialog>();
        }
        dialogs_[index]->Filter = std::string(row.Filter);
        dialogs_[index]->DefaultExt = row.DefaultExt;
        dialogs_[index]->Options = row.Options;
    }
}

Answer AskInMessageBox(const Box& question) {
    // In the order of the enumerations.
    constexpr UINT buttons[] = {MB_OK, MB_YESNO, MB_YESNOCANCEL};
    constexpr UINT icons[] = {MB_ICONQUESTION, MB_ICONEXCLAMATION};
    const UINT flags = buttons[static_cast<int>(question.Offered)] | icons[static_cast<int>(question.Shown)] |
                       (question.NoIsDefault ? MB_DEFBUTTON2 : 0);
    switch (ModalMessageBox(Wide(question.Text), WidenAnsi(ProgramName), flags)) {
        case IDOK:
            return Answer::Ok;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}
