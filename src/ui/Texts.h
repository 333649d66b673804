#pragma once

// What the window says to the user besides its layout, menu and dialogs, whose captions and
// file types stay in their rows (ui/Layout.h, ui/MenuTable.h, ui/Dialogs.h).

// What an error that is no std::exception is shown as.
inline constexpr const char* UnknownErrorMessage = "予期しないエラーが発生しました";
// A drop of several files or of a folder.
inline constexpr const char* DropOneFileOnlyText = "ドロップできるのはファイル 1 つだけです";
