#pragma once

#include <cstddef>
#include <string_view>

// The text in a memory block of count characters: up to its first NUL, or all of it when it
// holds none, as a block another program filled may not.
template <typename Character>
std::basic_string_view<Character> TextInBlock(const Character* text, std::size_t count) {
    std::size_t length = 0;
    while (length < count && text[length] != Character{}) {
        ++length;
    }
    return {text, length};
}
