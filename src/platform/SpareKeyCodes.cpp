#include "platform/SpareKeyCodes.hpp"

#include <algorithm>
#include <limits>

namespace zentrel::platform::x11 {
namespace {

constexpr SpareKeyCodes::Symbol kUnicodeKeysyms = 0x1000000;

// Vietnamese letters beyond Latin-1, as Unicode key symbols (which layouts
// do not use for them): ă đ ĩ ũ ơ ư and the letters with tones. Upper case
// at even code points, lower case at odd ones.
bool isVietnameseLetter(SpareKeyCodes::Symbol symbol) {
    if (symbol < kUnicodeKeysyms) return false;
    const auto c = symbol - kUnicodeKeysyms;
    return (c >= 0x102 && c <= 0x103) || (c >= 0x110 && c <= 0x111) || (c >= 0x128 && c <= 0x129) ||
           (c >= 0x168 && c <= 0x169) || (c >= 0x1A0 && c <= 0x1A1) || (c >= 0x1AF && c <= 0x1B0) ||
           (c >= 0x1EA0 && c <= 0x1EF9);
}

bool isLowerCase(SpareKeyCodes::Symbol symbol) {
    const auto c = symbol - kUnicodeKeysyms;
    // ư (U+01B0) is the one lower-case letter at an even code point.
    return c == 0x1B0 || (c != 0x1AF && c % 2 == 1);
}

}  // namespace

SpareKeyCodes::SpareKeyCodes(std::vector<unsigned> codes) {
    for (unsigned code : codes) codes_.push_back({code});
}

bool SpareKeyCodes::canShare(Symbol withoutShift, Symbol withShift) {
    return withoutShift != withShift && isVietnameseLetter(withoutShift) && isVietnameseLetter(withShift) &&
           !(isLowerCase(withoutShift) && !isLowerCase(withShift));
}

bool SpareKeyCodes::isSpare(unsigned code) const {
    return std::any_of(codes_.begin(), codes_.end(), [&](const Code& c) { return c.code == code; });
}

std::vector<unsigned> SpareKeyCodes::mappedCodes() const {
    std::vector<unsigned> mapped;
    for (const auto& c : codes_) {
        if (c.levels[0] != 0) mapped.push_back(c.code);
    }
    return mapped;
}

std::vector<SpareKeyCodes::Mapping> SpareKeyCodes::mappings() const {
    std::vector<Mapping> mapped;
    for (const auto& c : codes_) {
        if (c.levels[0] != 0) mapped.push_back({c.code, c.levels[0], c.levels[1] != 0 ? c.levels[1] : c.levels[0]});
    }
    return mapped;
}

SpareKeyCodes::Choice SpareKeyCodes::assign(Code& code, int level, Symbol symbol, bool shiftHeld, Time now) {
    if (level == 0) {
        // A character alone on its code types at both levels.
        code.levels[0] = symbol;
        code.levels[1] = 0;
        code.uses[0] = 1;
        code.uses[1] = 0;
    } else {
        code.levels[1] = symbol;
        code.uses[1] = 1;
    }
    const bool pressShift = level == 1 && !shiftHeld;
    code.typed[shiftHeld || pressShift ? 1 : 0] = now;
    const Symbol withShift = code.levels[1] != 0 ? code.levels[1] : code.levels[0];
    return {code.code, pressShift, Mapping{code.code, code.levels[0], withShift}};
}

std::optional<SpareKeyCodes::Choice> SpareKeyCodes::choose(Symbol symbol, bool shiftHeld, Time now) {
    if (codes_.empty()) return std::nullopt;
    // Already mapped where it can be typed with Shift as it is now.
    for (auto& c : codes_) {
        const bool alone = c.levels[1] == 0;
        if (c.levels[0] == symbol && (alone || !shiftHeld)) {
            ++c.uses[0];
            c.typed[shiftHeld ? 1 : 0] = now;
            return Choice{c.code, false, std::nullopt};
        }
        if (c.levels[1] == symbol) {
            ++c.uses[1];
            c.typed[1] = now;
            return Choice{c.code, !shiftHeld, std::nullopt};
        }
    }
    const auto settled = [&](const Code& c, int level) { return now - c.typed[level] >= kSettleTime; };
    // An empty code, else the Shift level of a code whose character it may join.
    for (auto& c : codes_) {
        if (c.levels[0] == 0) return assign(c, 0, symbol, shiftHeld, now);
    }
    for (auto& c : codes_) {
        if (c.levels[1] == 0 && settled(c, 1) && canShare(c.levels[0], symbol)) {
            return assign(c, 1, symbol, shiftHeld, now);
        }
    }
    // Else the least used place: the Shift level of a shared code, or a whole code.
    Code* least = nullptr;
    int leastLevel = 0;
    auto leastUses = std::numeric_limits<std::uint64_t>::max();
    for (auto& c : codes_) {
        if (!settled(c, 1)) continue;
        if (c.levels[1] != 0 && c.uses[1] < leastUses && canShare(c.levels[0], symbol)) {
            least = &c;
            leastLevel = 1;
            leastUses = c.uses[1];
        }
        if (settled(c, 0) && c.uses[0] + c.uses[1] < leastUses) {
            least = &c;
            leastLevel = 0;
            leastUses = c.uses[0] + c.uses[1];
        }
    }
    // Every place was typed just now: the code typed longest ago goes.
    if (least == nullptr) {
        least = &*std::min_element(codes_.begin(), codes_.end(), [](const Code& a, const Code& b) {
            return std::max(a.typed[0], a.typed[1]) < std::max(b.typed[0], b.typed[1]);
        });
    }
    return assign(*least, leastLevel, symbol, shiftHeld, now);
}

}  // namespace zentrel::platform::x11
