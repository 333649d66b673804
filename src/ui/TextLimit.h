#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text/AnsiText.h"

// The byte limit of a one-line edit, decided on the ANSI text: a double-byte character
// counts two. The program's own text is never cut; only what the user types or pastes.

// Room left for new text when the selection (selectedBytes of a text of textBytes) is replaced.
// 0 without room; a limit of 0 means no limit.
std::size_t RoomForInput(std::size_t textBytes, std::size_t selectedBytes, std::size_t limit);

inline constexpr std::size_t NoLimit = static_cast<std::size_t>(-1);

// What a paste inserts: the clipboard text up to its first line break (a one-line edit
// takes one line), cut to whole characters within room.
std::string PasteForRoom(std::string_view clipboard, std::size_t room, LeadByteTest isLeadByte);
