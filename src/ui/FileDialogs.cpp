#include "ui/FileDialogs.h"

TFileDialogs::TFileDialogs() {
    for (std::size_t index = 0; index < dialogs_.size(); ++index) {
        const DialogRow& row = layout::Dialogs[index];
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
