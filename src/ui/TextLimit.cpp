#include "ui/TextLimit.h"

std::size_t RoomForInput(std::size_t textBytes, std::size_t selectedBytes, std::size_t limit) {
    if (limit == 0) {
        return NoLimit;
    }
    const std::size_t kept = textBytes - (selectedBytes < textBytes ? selectedBytes : textBytes);
    return kept < limit ? limit - kept : 0;
}

std::string PasteForRoom(std::string_view clipboard, std::size_t room, LeadByteTest isLeadByte) {
    const std::string_view line = clipboard.substr(0, clipboard.find_first_of("\r\n"));
    return std::string(line.substr(0, WholeCharacterPrefix(line, room, isLeadByte)));
}
