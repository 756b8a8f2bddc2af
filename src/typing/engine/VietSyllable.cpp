#include "typing/engine/VietSyllable.hpp"

#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"

#include <algorithm>
#include <vector>

namespace zentrel::typing {
namespace {

constexpr std::u32string_view kOnsetConsonants = U"bcdghklmnqrstvx";
constexpr std::u32string_view kTelexToneKeys = U"sfrxjz";
constexpr std::u32string_view kPlainVowels = U"aeiouy";

bool contains(std::u32string_view set, char32_t c) { return set.find(c) != std::u32string_view::npos; }

bool isBaseVowel(char32_t base) { return contains(allBaseVowels, base); }

constexpr std::u32string_view kOnsets[] = {
    U"",  U"b",  U"c",   U"ch", U"d",  U"đ", U"g",  U"gh", U"gi", U"h",  U"k",  U"kh", U"l", U"m",
    U"n", U"ng", U"ngh", U"nh", U"ph", U"q", U"qu", U"r",  U"s",  U"t",  U"th", U"tr", U"v", U"x",
};
constexpr std::u32string_view kCodas[] = {U"", U"c", U"ch", U"m", U"n", U"ng", U"nh", U"p", U"t"};

// The longest syllable: a three-letter onset, three vowels and a two-letter final.
constexpr std::size_t kLongestSyllable = 8;

template <std::size_t N>
bool isOneOf(const std::u32string_view (&table)[N], std::u32string_view text) {
    return std::find(std::begin(table), std::end(table), text) != std::end(table);
}

}  // namespace

namespace VietSyllable {

const std::set<std::u32string, std::less<>>& validCodas() {
    static const std::set<std::u32string, std::less<>> table(std::begin(kCodas), std::end(kCodas));
    return table;
}

bool isValidVietnameseSyllable(std::u32string_view word) {
    if (word.empty() || word.size() > kLongestSyllable) return false;
    char32_t buffer[kLongestSyllable];
    for (std::size_t i = 0; i < word.size(); ++i) {
        // đ and every vowel form reduce to their base letter; others must be ASCII letters.
        const auto base = baseLetter(word[i]);
        if (base != U'đ' && !isBaseVowel(base) && !isAsciiLetter(base)) return false;
        buffer[i] = base;
    }
    const std::u32string_view letters(buffer, word.size());
    const auto first = std::find_if(letters.begin(), letters.end(), isBaseVowel);
    if (first == letters.end()) return false;
    if (!isOneOf(kOnsets, letters.substr(0, static_cast<std::size_t>(first - letters.begin())))) return false;
    const auto end = std::find_if_not(first, letters.end(), isBaseVowel);
    if (end - first > 3) return false;
    return isOneOf(kCodas, letters.substr(static_cast<std::size_t>(end - letters.begin())));
}

std::optional<std::size_t> tonePosition(std::u32string_view word, bool modern) {
    std::vector<std::size_t> vowels;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (isVowel(word[i])) vowels.push_back(i);
    }
    if (vowels.empty()) return std::nullopt;
    const auto last = vowels.back();
    auto start = last;
    for (auto k = vowels.size() - 1; k > 0 && vowels[k - 1] + 1 == vowels[k]; --k) start = vowels[k - 1];

    if (last > start && start >= 1) {
        const auto before = baseLetter(word[start - 1]);
        const auto at = baseLetter(word[start]);
        if ((before == U'q' && at == U'u') || (before == U'g' && at == U'i')) ++start;
    }

    std::optional<std::size_t> firstModified;
    std::optional<std::size_t> horn;  // the last ơ
    bool hasU = false;
    for (auto i = start; i <= last; ++i) {
        const auto base = baseLetter(word[i]);
        if (!firstModified && isModifiedVowel(base)) firstModified = i;
        if (base == U'ư') hasU = true;
        if (base == U'ơ') horn = i;
    }
    if (hasU && horn) return horn;
    if (firstModified) return firstModified;

    const auto count = last - start + 1;
    if (count == 1) return start;
    if (count == 2) {
        if (last + 1 < word.size()) return last;
        const auto a = baseLetter(word[start]);
        const auto b = baseLetter(word[last]);
        const bool movable = (a == U'o' && (b == U'a' || b == U'e')) || (a == U'u' && b == U'y');
        return movable && modern ? last : start;
    }
    return start + 1;
}

}  // namespace VietSyllable

namespace VietSpellingChecker {

bool isValidTypingSequence(std::u32string_view word) {
    return word.empty() || VietSyllable::isValidVietnameseSyllable(word);
}

bool canBeVietnameseInProgress(std::u32string_view word) {
    if (word.empty() || VietSyllable::isValidVietnameseSyllable(word)) return true;
    const auto lower = lowerCased(word);
    std::size_t first = 0;
    while (first < lower.size() && !isVowel(lower[first])) ++first;
    if (first == lower.size()) return std::all_of(lower.begin(), lower.end(), isLetter);
    auto k = first;
    while (k < lower.size() && isVowel(lower[k])) ++k;
    for (auto i = k; i < lower.size(); ++i) {
        if (isVowel(lower[i])) return false;
    }
    return isOneOf(kCodas, std::u32string_view(lower).substr(k));
}

}  // namespace VietSpellingChecker

namespace VietWordValidator {

std::u32string letterOnly(std::u32string_view text) {
    std::u32string letters;
    letters.reserve(text.size());
    for (char32_t c : text) {
        if (isLetterOrNumber(c)) letters.push_back(c);
    }
    return letters;
}

std::u32string spellingBody(std::u32string_view raw, VietInputMethod method) {
    auto body = letterOnly(raw);
    switch (method) {
    case VietInputMethod::telex: {
        const auto isToneKey = [](char32_t c) { return contains(kTelexToneKeys, lowerCased(c)); };
        const auto isPlainVowel = [](char32_t c) { return contains(kPlainVowels, lowerCased(c)); };
        for (std::size_t i = 1; i < body.size();) {
            const bool removable = isToneKey(body[i]) && isPlainVowel(body[i - 1]) &&
                                   (i + 1 == body.size() || isPlainVowel(body[i + 1]));
            if (removable) {
                body.erase(i, 1);
            } else {
                ++i;
            }
        }
        while (!body.empty() && isToneKey(body.back())) body.pop_back();
        std::erase_if(body, [](char32_t c) { return c == U'w' || c == U'W'; });
        return body;
    }
    case VietInputMethod::vni:
        // Every digit is a mark or tone key, wherever it was typed.
        std::erase_if(body, isAsciiDigit);
        return body;
    case VietInputMethod::viqr: return body;
    }
    return body;
}

bool hasProperNounCaps(std::u32string_view word) {
    if (word.size() < 2) return false;
    std::size_t letters = 0;
    std::size_t capitals = 0;
    bool innerCapital = false;
    bool seenLetter = false;
    for (char32_t c : word) {
        if (!isLetter(c)) continue;
        ++letters;
        if (isUpperCase(c)) {
            ++capitals;
            if (seenLetter) innerCapital = true;
        }
        seenLetter = true;
    }
    return letters >= 2 && innerCapital && capitals < letters;
}

bool isCommonVietnameseCV(std::u32string_view word) {
    return word.size() == 2 && contains(kOnsetConsonants, lowerCased(word[0])) && contains(kPlainVowels, word[1]);
}

bool looksLikeEnglish(std::u32string_view word) {
    if (word.empty()) return false;
    for (char32_t c : word) {
        if (lowerCased(c) == U'đ') return false;
        const auto [base, tone] = decompose(c);
        if (isModifiedVowel(base) || tone >= 1) return false;
        if (c >= 0x80 || !(isAsciiLetter(c) || isAsciiDigit(c))) return false;
    }
    if (VietSyllable::isValidVietnameseSyllable(word)) return false;
    if (!VietSpellingChecker::canBeVietnameseInProgress(lowerCased(word))) return true;
    if (word.size() != 2) return false;
    const auto c1 = lowerCased(word[0]);
    const auto c2 = lowerCased(word[1]);
    if (contains(kOnsetConsonants, c1) && contains(kPlainVowels, c2)) return false;
    if (!isLetter(c2)) return false;
    return contains(kPlainVowels, c2);
}

bool shouldPassThroughLiteral(std::u32string_view wordBefore, char32_t) { return looksLikeEnglish(wordBefore); }

bool shouldPassThroughLiteral(std::u32string_view rawInput, VietInputMethod method) {
    const auto body = spellingBody(rawInput, method);
    if (hasProperNounCaps(rawInput)) return true;
    if (looksLikeEnglish(body)) return true;
    if (body.size() < 3) return false;
    return !VietSpellingChecker::canBeVietnameseInProgress(body);
}

}  // namespace VietWordValidator

}  // namespace zentrel::typing
