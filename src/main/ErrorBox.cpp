#include "main/ErrorBox.h"

#include <windows.h>

#include "main/ErrorText.h"
#include "platform/Exception.h"
#include "platform/ModalFrame.h"
#include "platform/WideText.h"

void ShowErrorBox(const std::exception& error, const std::string& caption) {
    // A message that names what the code page cannot show, such as a file name, is shown from
    // its UTF-16 text.
    const auto* own = dynamic_cast<const Exception*>(&error);
    if (own && !own->UnicodeMessage().empty()) {
        ModalMessageBox(ErrorBoxText(own->UnicodeMessage()), WidenAnsi(caption), MB_OK | MB_ICONERROR);
        return;
    }
    ModalMessageBox(ErrorBoxText(error.what(), IsAnsiLeadByte), caption, MB_OK | MB_ICONERROR);
}
