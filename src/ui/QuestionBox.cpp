#include "ui/QuestionBox.h"

#include <windows.h>

#include "document/ProgramName.h"
#include "platform/ModalFrame.h"

Answer AskInMessageBox(const Question& question) {
    // In the order of the enumerations.
    constexpr UINT buttons[] = {MB_OK, MB_YESNO, MB_YESNOCANCEL};
    constexpr UINT icons[] = {MB_ICONQUESTION, MB_ICONEXCLAMATION};
    const UINT flags = buttons[static_cast<int>(question.Offered)] | icons[static_cast<int>(question.Shown)] |
                       (question.NoIsDefault ? MB_DEFBUTTON2 : 0);
    switch (ModalMessageBox(question.Text, ProgramName, flags)) {
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
