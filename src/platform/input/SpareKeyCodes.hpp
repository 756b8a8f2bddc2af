#pragma once
// Which of the display's spare key codes (codes the keyboard map leaves
// empty) types a character the keyboard lacks, and how the codes are
// mapped. A character keeps its code for the session: each remap makes
// every window reload its key map. Each code types one character, the same
// at both levels, so that no Shift is ever pressed around it (a user's key
// arriving meanwhile would be shifted: a comma would become "<"). When none
// is left, the least used goes. A code typed within the last second keeps
// its character: a window still reading that key would read it with the
// new map. Plain logic over X key symbols, without a display.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace zentrel::platform::x11 {

class SpareKeyCodes final {
public:
    using Symbol = unsigned long;

    struct Mapping {
        unsigned code;
        Symbol withoutShift;
        Symbol withShift;
        bool operator==(const Mapping&) const = default;
    };
    struct Choice {
        unsigned code;
        std::optional<Mapping> remap;  // the code must be mapped so first
        bool operator==(const Choice&) const = default;
    };

    explicit SpareKeyCodes(std::vector<unsigned> codes);

    using Time = std::chrono::steady_clock::time_point;
    // How long a typed code keeps its character.
    static constexpr std::chrono::seconds kSettleTime{1};

    // The code that types `symbol` at `now`; none without spare codes.
    [[nodiscard]] std::optional<Choice> choose(Symbol symbol, Time now);
    [[nodiscard]] bool isSpare(unsigned code) const;
    // The codes mapped so far, to be emptied again at the end.
    [[nodiscard]] std::vector<unsigned> mappedCodes() const;
    // The codes mapped so far with their levels, as the display maps them.
    [[nodiscard]] std::vector<Mapping> mappings() const;

private:
    struct Code {
        unsigned code;
        Symbol symbol = 0;  // 0: empty
        std::uint64_t uses = 0;
        Time typed = {};
    };

    std::vector<Code> codes_;
};

}  // namespace zentrel::platform::x11
