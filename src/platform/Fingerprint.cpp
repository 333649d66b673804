#include "platform/Fingerprint.h"

void TFingerprint::Add(std::string_view bytes) {
    constexpr std::uint64_t Prime = 0x100000001B3u;
    for (const char byte : bytes) {
        value_ = (value_ ^ static_cast<unsigned char>(byte)) * Prime;
    }
}
