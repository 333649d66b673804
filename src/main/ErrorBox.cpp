#include "main/ErrorBox.h"

#include <windows.h>

#include "main/ErrorText.h"
#include "platform/Exception.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/text/WideText.h"

void ShowErrorBox(const std::exception& error, const std::string& caption) {
    // The program's own errors may name files, which are shown as the system names them.
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        ModalMessageBox(ErrorBoxText(Wide(own->Message())), WidenAnsi(caption), MB_OK | MB_ICONERROR);
        return;
    }
    ModalMessageBox(ErrorBoxText(error.what(), IsAnsiLeadByte), caption, MB_OK | MB_ICONERROR);
}
