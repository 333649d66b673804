#pragma once

// What the platform's errors say to the user, in the program's code page.

// An error about a name the user chose: "ファイル名 <name> <what>", in UTF-16, since the name
// may hold what the code page cannot.
inline constexpr const wchar_t* NameErrorText = L"ファイル名 ";
inline constexpr const wchar_t* NameNotInCodePageText = L"は使えません: シフト JIS で表せない文字を含んでいます";
// "は長すぎます: <limit> バイトまでです"
inline constexpr const wchar_t* NameTooLongText = L"は長すぎます: ";
inline constexpr const wchar_t* NameLimitText = L" バイトまでです";
inline constexpr const wchar_t* NoFullPathText = L"からパスを作れません";

// Errors about a project file; %s is its name.
inline constexpr const char* CannotWriteText = "%s に書き込めません";
inline constexpr const char* CannotReadText = "%s を読み込めません";
inline constexpr const char* NotAProjectText = "%s はプロジェクト ファイルではありません";
// "%s は大きすぎます: プロジェクト ファイルは <limit> MB までです"
inline constexpr const char* TooLargeText = "%s は大きすぎます: プロジェクト ファイルは ";
inline constexpr const char* TooLargeLimitText = " MB までです";
// "<name> に最後まで…\r\n\r\n保存しようとした内容は、ファイル <copy> に残っています"
inline constexpr const char* UnfinishedWriteText =
    " に最後まで書き込めませんでした。このファイルは不完全な可能性があります。\r\n\r\n";
inline constexpr const char* UnfinishedCopyText = "保存しようとした内容は、ファイル ";
inline constexpr const char* UnfinishedCopyEndText = " に残っています";
