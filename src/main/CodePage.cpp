#include "main/CodePage.h"

#include <windows.h>

#include <iterator>
#include <string>

#include "document/ProgramName.h"

bool RunsInShiftJis() {
    return GetACP() == ShiftJisCodePage;
}

void ShowWrongCodePage() {
    // Wide texts: in any code page but 932, the program's own Shift-JIS texts would be garbled.
    const std::wstring codePage = std::to_wstring(GetACP());
    const std::wstring name(std::begin(ProgramName), std::end(ProgramName) - 1);  // ASCII
    const std::wstring text =
        name + L" はシフト JIS (コード ページ 932) で動作しますが、このシステムでは ANSI コード ページ " + codePage +
        L" で起動されました。このままではプロジェクトの日本語の値が壊れるため、起動できません。\n"
        L"システム ロケールを日本語にし、「ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用」を"
        L"オフにしてください。\n\n" +
        name + L" works in Shift-JIS (code page 932), but this system started it in ANSI code page " + codePage +
        L", in which it would damage the Japanese values of a project, so it does not start.\n"
        L"Set the system locale to Japanese and turn off \"Beta: Use Unicode UTF-8 for worldwide language "
        L"support\".";
    MessageBoxW(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
