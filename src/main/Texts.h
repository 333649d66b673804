#pragma once

// What the program says to the user before and around its window.

// The short message that says how the program is called.
inline constexpr const char* CommandLineUsage =
    "使い方: ZubRuntimeEditor.exe [プロジェクト ファイル]\r\n\r\n"
    "開くプロジェクト ファイルを 1 つだけ指定できます";
inline constexpr const char* CommandLineUnreadableText = "コマンド ラインを読めません";

// Started in a code page other than 932, in Japanese and in English, in UTF-16 since the
// program's own Shift-JIS texts would be garbled: "<program><WrongCodePageText><code page>
// <WrongCodePageEndText>" for each language.
inline constexpr const wchar_t* WrongCodePageText =
    L" はシフト JIS (コード ページ 932) で動作しますが、このシステムでは ANSI コード ページ ";
inline constexpr const wchar_t* WrongCodePageEndText =
    L" で起動されました。このままではプロジェクトの日本語の値が壊れるため、起動できません。\n"
    L"システム ロケールを日本語にし、「ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用」を"
    L"オフにしてください。\n\n";
inline constexpr const wchar_t* WrongCodePageEnglishText =
    L" works in Shift-JIS (code page 932), but this system started it in ANSI code page ";
inline constexpr const wchar_t* WrongCodePageEnglishEndText =
    L", in which it would damage the Japanese values of a project, so it does not start.\n"
    L"Set the system locale to Japanese and turn off \"Beta: Use Unicode UTF-8 for worldwide language "
    L"support\".";
