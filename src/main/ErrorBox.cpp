#include "main/ErrorBox.h"

#include <windows.h>

#include "main/ErrorText.h"
#include "platform/ModalFrame.h"

namespace {

bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace

void ShowErrorBox(const std::exception& error, const std::string& caption) {
    ModalMessageBox(ErrorBoxText(error.what(), IsAnsiLeadByte), caption, MB_OK | MB_ICONERROR);
}
