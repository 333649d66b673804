#pragma once

// What the platform's errors say to the user, in the program's code page.

// An error about a name the user chose: "ファイル名 <name> <what>".
inline constexpr const char* NameErrorText = "ファイル名 ";
inline constexpr const char* NameNotInCodePageText = "は使えません: シフト JIS で表せない文字を含んでいます";
// "は長すぎます: <limit> バイトまでです", or "文字" for a path, which counts characters.
inline constexpr const char* NameTooLongText = "は長すぎます: ";
inline constexpr const char* NameBytesText = " バイトまでです";
inline constexpr const char* NameCharactersText = " 文字までです";
inline constexpr const char* NoFullPathText = "からパスを作れません";

// Errors about a project file, after its name.
inline constexpr const char* CannotWriteText = " に書き込めません";
inline constexpr const char* CannotReadText = " を読み込めません";
inline constexpr const char* NotAProjectText = " はプロジェクト ファイルではありません";
// " は大きすぎます: プロジェクト ファイルは <limit> MB までです"
inline constexpr const char* TooLargeText = " は大きすぎます: プロジェクト ファイルは ";
inline constexpr const char* TooLargeLimitText = " MB までです";
// "<name> に最後まで…\r\n\r\n保存しようとした内容は、ファイル <copy> に残っています"
inline constexpr const char* UnfinishedWriteText =
    " に最後まで書き込めませんでした。このファイルは不完全な可能性があります。\r\n\r\n";
inline constexpr const char* UnfinishedCopyText = "保存しようとした内容は、ファイル ";
inline constexpr const char* UnfinishedCopyEndText = " に残っています";
