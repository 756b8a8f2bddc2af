#include "typing/engine/VietWordTransforms.hpp"

#include "typing/engine/VietSyllable.hpp"
#include "typing/engine/VietText.hpp"

#include <algorithm>

namespace zentrel::typing {
namespace {

// The toneless form of a toned vowel, in its case; none when it has no tone.
std::optional<char32_t> withoutTone(char32_t c) {
    const auto [base, tone] = decompose(c);
    if (tone < 1) return std::nullopt;
    return inCaseOf(*toneForm(base, 0), c);
}

}  // namespace

std::optional<std::u32string> applyTone(std::u32string_view word, int tone, bool modern) {
    if (word.empty()) return std::nullopt;
    const auto position = VietSyllable::tonePosition(word, modern);
    if (!position) return std::nullopt;
    const auto old = word[*position];
    const auto [base, present] = decompose(old);
    if (present == tone) tone = 0;
    const auto form = toneForm(base, tone);
    if (!form) return std::nullopt;
    std::u32string result(word);
    result[*position] = inCaseOf(*form, old);
    return result;
}

std::optional<std::u32string> removeToneAtPosition(std::u32string_view word, bool modern) {
    const auto position = VietSyllable::tonePosition(word, modern);
    if (!position) return std::nullopt;
    const auto plain = withoutTone(word[*position]);
    if (!plain) return std::nullopt;
    std::u32string result(word);
    result[*position] = *plain;
    return result;
}

std::optional<std::u32string> removeAllTones(std::u32string_view word) {
    std::u32string result(word);
    bool changed = false;
    for (auto& c : result) {
        if (const auto plain = withoutTone(c)) {
            c = *plain;
            changed = true;
        }
    }
    if (!changed) return std::nullopt;
    return result;
}

StrippedMarks stripMarks(std::u32string_view word) {
    StrippedMarks stripped{std::u32string(word), false};
    for (auto& c : stripped.text) {
        if (c == U'đ' || c == U'Đ') {
            c = c == U'đ' ? U'd' : U'D';
            stripped.changed = true;
            continue;
        }
        const auto base = baseLetter(c);
        if (isModifiedVowel(base)) {
            c = inCaseOf(*toneForm(base, 0), c);
            stripped.changed = true;
        }
    }
    return stripped;
}

std::optional<std::u32string> applyMark(std::u32string_view word, const MarkTable& table, char32_t key) {
    if (word.empty()) return std::nullopt;
    const auto old = word.back();
    const auto [base, tone] = decompose(old);
    const auto found = table.find({base, key});
    if (found == table.end()) return std::nullopt;
    if (key == base) {
        // A doubled letter marks nothing once the word has a modified vowel elsewhere.
        const auto others = word.substr(0, word.size() - 1);
        if (std::any_of(others.begin(), others.end(), [](char32_t c) { return isModifiedVowel(baseLetter(c)); })) {
            return std::nullopt;
        }
    }
    auto letter = found->second;
    if (const auto toned = toneForm(letter, tone)) letter = *toned;
    std::u32string result(word);
    result.back() = inCaseOf(letter, old);
    return result;
}

std::optional<std::u32string> undoMark(std::u32string_view word, const MarkTable& table, char32_t key) {
    if (word.empty()) return std::nullopt;
    const auto old = word.back();
    const auto [base, tone] = decompose(old);
    for (const auto& [entry, value] : table) {
        if (entry.second != key || value != base) continue;
        auto letter = entry.first;
        if (const auto toned = toneForm(letter, tone)) letter = *toned;
        std::u32string result(word);
        result.back() = inCaseOf(letter, old);
        return result;
    }
    return std::nullopt;
}

std::optional<std::u32string> hornedBeforeFinal(std::u32string_view word) {
    for (std::size_t i = 0; i + 2 < word.size(); ++i) {
        if (baseLetter(word[i]) != U'u' || baseLetter(word[i + 1]) != U'ơ' || !isLetter(word[i + 2])) continue;
        if (i >= 1 && baseLetter(word[i - 1]) == U'q') continue;
        std::u32string result(word);
        result[i] = inCaseOf(*toneForm(U'ư', decompose(word[i]).tone), word[i]);
        return result;
    }
    return std::nullopt;
}

std::optional<std::u32string> tonePlaced(std::u32string_view word, bool modern) {
    std::optional<std::size_t> toned;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (decompose(word[i]).tone < 1) continue;
        if (toned) return std::nullopt;  // two tones: nothing to tell where one belongs
        toned = i;
    }
    if (!toned) return std::nullopt;
    const auto position = VietSyllable::tonePosition(word, modern);
    if (!position || *position == *toned) return std::nullopt;
    const auto tone = decompose(word[*toned]).tone;
    std::u32string result(word);
    result[*toned] = *withoutTone(word[*toned]);
    const auto at = decompose(result[*position]);
    const auto form = toneForm(at.base, tone);
    if (!form) return std::nullopt;
    result[*position] = inCaseOf(*form, result[*position]);
    return result;
}

std::u32string typedKeys(std::u32string_view word, VietInputMethod method) {
    std::u32string keys;
    keys.reserve(word.size() * 2 + 1);
    char32_t toneKey = 0;
    for (char32_t c : word) {
        const auto [base, tone] = decompose(c);
        if (base == U'đ') {
            keys.push_back(inCaseOf(U'd', c));
            keys.push_back(method == VietInputMethod::vni ? U'9' : inCaseOf(U'd', c));
            continue;
        }
        if (tone >= 1) {
            for (const auto& [key, number] : toneKeys(method)) {
                if (number == tone) toneKey = inCaseOf(key, c);
            }
        }
        const auto plain = tone >= 1 ? inCaseOf(*toneForm(base, 0), c) : c;
        bool marked = false;
        for (const auto& [entry, value] : markTable(method)) {
            if (value != base || !isModifiedVowel(value) || isModifiedVowel(entry.first)) continue;
            keys.push_back(inCaseOf(entry.first, c));
            keys.push_back(inCaseOf(entry.second, c));
            marked = true;
            break;
        }
        if (!marked) keys.push_back(plain);
    }
    if (toneKey != 0) keys.push_back(toneKey);
    return keys;
}

bool hasVietnameseMark(std::u32string_view word) { return std::any_of(word.begin(), word.end(), isVietnameseMark); }

}  // namespace zentrel::typing
