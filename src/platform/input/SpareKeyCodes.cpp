#include "platform/input/SpareKeyCodes.hpp"

#include <algorithm>

namespace zentrel::platform::x11 {

SpareKeyCodes::SpareKeyCodes(std::vector<unsigned> codes) {
    for (unsigned code : codes) codes_.push_back({code});
}

bool SpareKeyCodes::isSpare(unsigned code) const {
    return std::any_of(codes_.begin(), codes_.end(), [&](const Code& c) { return c.code == code; });
}

std::vector<unsigned> SpareKeyCodes::mappedCodes() const {
    std::vector<unsigned> mapped;
    for (const auto& c : codes_) {
        if (c.symbol != 0) mapped.push_back(c.code);
    }
    return mapped;
}

std::vector<SpareKeyCodes::Mapping> SpareKeyCodes::mappings() const {
    std::vector<Mapping> mapped;
    for (const auto& c : codes_) {
        if (c.symbol != 0) mapped.push_back({c.code, c.symbol, c.symbol});
    }
    return mapped;
}

std::optional<SpareKeyCodes::Choice> SpareKeyCodes::choose(Symbol symbol, Time now) {
    if (codes_.empty()) return std::nullopt;
    for (auto& c : codes_) {
        if (c.symbol == symbol) {
            ++c.uses;
            c.typed = now;
            return Choice{c.code, std::nullopt};
        }
    }
    // An empty code, else the least used one not typed just now, else the one typed longest ago.
    Code* chosen = nullptr;
    for (auto& c : codes_) {
        if (c.symbol == 0) {
            chosen = &c;
            break;
        }
        const bool settled = now - c.typed >= kSettleTime;
        if (settled && (chosen == nullptr || c.uses < chosen->uses)) chosen = &c;
    }
    if (chosen == nullptr) {
        chosen = &*std::min_element(codes_.begin(), codes_.end(),
                                    [](const Code& a, const Code& b) { return a.typed < b.typed; });
    }
    chosen->symbol = symbol;
    chosen->uses = 1;
    chosen->typed = now;
    return Choice{chosen->code, Mapping{chosen->code, symbol, symbol}};
}

}  // namespace zentrel::platform::x11
