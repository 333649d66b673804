#include "platform/text/AnsiText.h"

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsShiftJisTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

namespace {

// Bytes taken by the character that starts at position i.
std::size_t CharacterLength(std::string_view text, std::size_t i, LeadByteTest isLeadByte) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::size_t LastCharacterStart(std::string_view text, LeadByteTest isLeadByte) {
    std::size_t last = text.size();
    // Trail bytes can look like lead bytes, so characters are only found walking forwards.
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i, isLeadByte)) {
        last = i;
    }
    return last;
}

std::size_t WholeCharacterPrefix(std::string_view text, std::size_t maxBytes, LeadByteTest isLeadByte) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharacterLength(text, end, isLeadByte);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return end;
}

std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t characters, LeadByteTest isLeadByte) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < characters && offset < text.size(); ++i) {
        offset += CharacterLength(text, offset, isLeadByte);
    }
    return offset;
}
