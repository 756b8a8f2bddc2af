#pragma once
// Which of the display's spare key codes (codes the keyboard map leaves
// empty) types a character the keyboard lacks, and how the codes are
// mapped. A character keeps its code for the session: each remap makes
// every window reload its key map. Vietnamese letters outside Latin-1 go two
// to a code, one without and one with Shift (never a lower-case letter below
// a capital, which could pass for one letter's two cases), so twice as many
// fit before one must go; other characters take a code of their own at both
// levels. When none is left, the least used goes. A level typed within the
// last second keeps its character: a window still reading that key would
// read it with the new map. Plain logic over X key symbols, without a
// display.

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
        bool pressShift;                 // the character is on the Shift level and Shift is not held
        std::optional<Mapping> remap;    // the code must be mapped so first
        bool operator==(const Choice&) const = default;
    };

    explicit SpareKeyCodes(std::vector<unsigned> codes);

    using Time = std::chrono::steady_clock::time_point;
    // How long a typed level keeps its character.
    static constexpr std::chrono::seconds kSettleTime{1};

    // The code that types `symbol` at `now` with Shift held or not; none without spare codes.
    [[nodiscard]] std::optional<Choice> choose(Symbol symbol, bool shiftHeld, Time now);
    [[nodiscard]] bool isSpare(unsigned code) const;
    // The codes mapped so far, to be emptied again at the end.
    [[nodiscard]] std::vector<unsigned> mappedCodes() const;
    // The codes mapped so far with their levels, as the display maps them.
    [[nodiscard]] std::vector<Mapping> mappings() const;

    // Whether a code may type `withoutShift`, and `withShift` with Shift.
    [[nodiscard]] static bool canShare(Symbol withoutShift, Symbol withShift);

private:
    struct Code {
        unsigned code;
        Symbol levels[2] = {0, 0};  // 0: empty; a lone character types at both levels
        std::uint64_t uses[2] = {0, 0};
        Time typed[2] = {};  // when a key last typed each level (with Shift: the second)
    };
    static Choice assign(Code& code, int level, Symbol symbol, bool shiftHeld, Time now);

    std::vector<Code> codes_;
};

}  // namespace zentrel::platform::x11
