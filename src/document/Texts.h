#pragma once

// What the document says to the user, in the program's code page. A question about a file reads
// "ファイル <name> " and then its own text.

// The program's name: the application title, its windows' caption before a project names
// them, and the caption of its boxes.
inline constexpr char ProgramName[] = "ZUB Runtime Editor";

// The name of a project that has no file yet: a file name, so in UTF-16.
inline constexpr const char16_t* UntitledFileName = u"無題.zrt";

inline constexpr const char* QuestionFileText = "ファイル ";
inline constexpr const char* SaveChangesText = "の内容が変更されています。\r\n\r\n変更を保存しますか?";
// A change by another program, then what is asked about it.
inline constexpr const char* ChangedElsewhereText = "は他のプログラムで変更されました。\r\n\r\n";
inline constexpr const char* DiscardAndReloadText = "ここでの変更を破棄して、読み込み直しますか?";
inline constexpr const char* ReloadText = "読み込み直しますか?";
inline constexpr const char* OverwriteChangeText = "は他のプログラムで変更されています。\r\n\r\n上書きしますか?";
// A statement ends in a full stop, as every error message does.
inline constexpr const char* GoneText = "が見つかりません。\r\n\r\n削除されたか、移動された可能性があります.";
// An unfinished save, then "ファイル <copy> " and where its content is.
inline constexpr const char* UnfinishedSaveText = "の前回の保存は完了していません。\r\n\r\n保存しようとした内容は、";
inline constexpr const char* LeftInCopyText = "に残っています.";
