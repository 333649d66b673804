#pragma once

#include <cstdint>
#include <initializer_list>

// The options of a common file dialog, each carried out by the dialog flag of the same name.
enum class TOpenOption : std::uint32_t {
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
    ofAllowMultiSelect = 0x200,
    ofPathMustExist = 0x800,
    ofFileMustExist = 0x1000,
    ofOldStyleDialog = 0x80000,  // the one option that takes a flag away
    ofEnableSizing = 0x800000,
    ofDontAddToRecent = 0x2000000,
};

class TOpenOptions {
public:
    constexpr TOpenOptions(std::initializer_list<TOpenOption> options) {
        for (const TOpenOption option : options) {
            Include(option);
        }
    }

    constexpr void Include(TOpenOption option) { bits_ |= static_cast<std::uint32_t>(option); }
    constexpr bool Contains(TOpenOption option) const { return (bits_ & static_cast<std::uint32_t>(option)) != 0; }
    bool operator==(const TOpenOptions&) const = default;

    // The flags of the dialog record: the hook that places the dialog, each option's own
    // flag, and the Explorer look unless the old one is asked for.
    std::uint32_t DialogFlags() const {
        constexpr std::uint32_t EnableHook = 0x20;
        constexpr std::uint32_t Explorer = 0x80000;
        const std::uint32_t old = static_cast<std::uint32_t>(TOpenOption::ofOldStyleDialog);
        return EnableHook | (bits_ & ~old) | (Contains(TOpenOption::ofOldStyleDialog) ? 0 : Explorer);
    }

private:
    std::uint32_t bits_ = 0;
};

// What a dialog starts with unless told otherwise.
inline TOpenOptions DefaultOpenOptions() {
    return {TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
}
