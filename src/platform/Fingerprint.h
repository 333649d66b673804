#pragma once

#include <cstdint>
#include <string_view>

// A 64-bit FNV-1a hash of bytes fed in pieces: files with the same bytes have the same
// fingerprint, and files that differ have different ones as good as always. It tells a file
// that was only touched from one that was changed, not a file from a forgery.
class TFingerprint {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325u;
};
