#pragma once

#include <cstdint>
#include <initializer_list>

// The options of a common file dialog, each carried out by the dialog flag of the same name.
enum class TOpenOption : std::uint32_t {
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
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

    // The flags of the dialog record: the hook that places the dialog, the Explorer look, and
    // each option's own flag.
    std::uint32_t DialogFlags() const {
        constexpr std::uint32_t EnableHook = 0x20;
        constexpr std::uint32_t Explorer = 0x80000;
        return EnableHook | Explorer | bits_;
    }

private:
    std::uint32_t bits_ = 0;
};

// What a dialog starts with unless told otherwise.
inline TOpenOptions DefaultOpenOptions() {
    return {TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
}
