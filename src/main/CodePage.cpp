#include "main/CodePage.h"

#include <windows.h>

#include <iterator>
#include <string>

#include "document/ProgramName.h"
#include "main/Texts.h"

bool RunsInShiftJis() {
    return GetACP() == ShiftJisCodePage;
}

void ShowWrongCodePage() {
    // Wide texts: in any code page but 932, the program's own Shift-JIS texts would be garbled.
    const std::wstring codePage = std::to_wstring(GetACP());
    const std::wstring name(std::begin(ProgramName), std::end(ProgramName) - 1);  // ASCII
    const std::wstring text = name + WrongCodePageText + codePage + WrongCodePageEndText + name +
                              WrongCodePageEnglishText + codePage + WrongCodePageEnglishEndText;
    MessageBoxW(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
