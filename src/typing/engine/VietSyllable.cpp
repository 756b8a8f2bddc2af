#include "typing/engine/VietSyllable.hpp"

#include "typing/engine/VietRhymes.hpp"
#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"

#include <algorithm>
#include <vector>

namespace zentrel::typing {
namespace {

constexpr std::u32string_view kOnsetConsonants = U"bcdghklmnqrstvx";
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

constexpr std::u32string_view kFrontVowels = U"ieê";

// A stop final (c, ch, p, t) takes sắc, nặng or no tone.
bool takesTone(std::u32string_view rhyme, int tone) {
    const auto vowels = static_cast<std::size_t>(std::find_if_not(rhyme.begin(), rhyme.end(), isBaseVowel) - rhyme.begin());
    const auto final = rhyme.substr(vowels);
    const bool stop = final == U"c" || final == U"ch" || final == U"p" || final == U"t";
    return !stop || tone == 0 || tone == 1 || tone == 5;
}

// Whether the onset spells right before the rhyme (k, gh and ngh before i, e,
// ê; c, g and ng elsewhere), and the rhyme takes the tone.
bool fitsOnset(std::u32string_view onset, std::u32string_view rhyme, int tone) {
    if (!isOneOf(kOnsets, onset) || !VietRhymes::isRhyme(rhyme)) return false;
    const auto front = rhyme.front();
    const bool beforeFront = contains(kFrontVowels, front);
    if (onset == U"k" && !beforeFront && front != U'y') return false;
    if (onset == U"c" && (beforeFront || front == U'y')) return false;
    if ((onset == U"gh" || onset == U"ngh") && !beforeFront) return false;
    if (onset == U"ng" && beforeFront) return false;
    if (onset == U"g" && (front == U'e' || front == U'ê')) return false;
    if (onset == U"qu" && (front == U'u' || front == U'ư')) return false;
    if (front == U'y' && rhyme.size() >= 2 && !isBaseVowel(rhyme[1]) && onset != U"qu") return false;  // quýt, quýnh
    return takesTone(rhyme, tone);
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
    int tone = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        // đ and every vowel form reduce to their base letter; others must be ASCII letters.
        const auto [base, mark] = decompose(word[i]);
        if (base != U'đ' && !isBaseVowel(base) && !isAsciiLetter(base)) return false;
        if (mark >= 1) {
            if (tone >= 1) return false;  // one tone per syllable
            tone = mark;
        }
        buffer[i] = base;
    }
    const std::u32string_view letters(buffer, word.size());
    const auto first = static_cast<std::size_t>(std::find_if(letters.begin(), letters.end(), isBaseVowel) - letters.begin());
    if (first == letters.size()) return false;
    const auto onset = letters.substr(0, first);
    const auto rest = letters.substr(first);
    // q is always written qu; gi before a vowel may be the onset (giữ) or g before i (gìn, giếng).
    const bool glided = rest.size() >= 2 && isBaseVowel(rest[1]);
    if (onset == U"q") return glided && rest[0] == U'u' && fitsOnset(U"qu", rest.substr(1), tone);
    if (fitsOnset(onset, rest, tone)) return true;
    return onset == U"g" && glided && rest[0] == U'i' && fitsOnset(U"gi", rest.substr(1), tone);
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
    std::u32string letters;
    letters.reserve(word.size());
    int tone = 0;
    for (char32_t c : word) {
        const auto [base, mark] = decompose(c);
        if (base != U'đ' && !isBaseVowel(base) && !isAsciiLetter(base)) return false;
        letters.push_back(base);
        tone = std::max(tone, mark);
    }
    // The onset is not checked here: only the vowel group and the final.
    const auto first = letters.find_first_of(allBaseVowels);
    if (first == std::u32string::npos) return true;
    const auto rest = std::u32string_view(letters).substr(first);
    if (!takesTone(rest, tone)) return false;
    if (VietRhymes::canBecomeRhyme(rest)) return true;
    const bool glided = first >= 1 && rest.size() >= 2 && isBaseVowel(rest[1]) &&
                        ((letters[first - 1] == U'q' && rest[0] == U'u') || (letters[first - 1] == U'g' && rest[0] == U'i'));
    return glided && VietRhymes::canBecomeRhyme(rest.substr(1));
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
    const bool telex = method == VietInputMethod::telex;
    const char32_t clearKey = telex ? U'z' : method == VietInputMethod::vni ? U'0' : 0;
    std::u32string body;
    body.reserve(raw.size());
    char32_t toneKey = 0;  // the key of the tone the word carries
    bool hasVowel = false;
    for (char32_t key : raw) {
        const auto k = telex ? lowerCased(key) : key;
        if (hasVowel && toneKeys(method).contains(k)) {
            // The same tone key again takes the tone off and types the key.
            if (toneKey == k) {
                toneKey = 0;
                if (isLetter(key)) body.push_back(key);
            } else {
                toneKey = k;
            }
            continue;
        }
        if (hasVowel && k == clearKey) {
            toneKey = 0;
            continue;
        }
        if (!body.empty()) {
            auto& last = body.back();
            const auto base = baseLetter(last);
            if (method != VietInputMethod::vni && lowerCased(key) == U'd' && base == U'd') {
                last = inCaseOf(U'đ', last);
                continue;
            }
            if (const auto mark = markTable(method).find({base, k}); mark != markTable(method).end()) {
                // A mark key on its own mark takes it off and types the key.
                const bool undo = !isModifiedVowel(mark->second) && mark->second != U'đ';
                last = inCaseOf(mark->second, last);
                if (undo && isLetter(key)) body.push_back(key);
                continue;
            }
        }
        if (telex && k == U'w') {
            body.push_back(inCaseOf(U'ư', key));  // a w on its own
        } else if (isLetter(key) || (isAsciiDigit(key) && method != VietInputMethod::vni)) {
            body.push_back(key);
        } else {
            continue;
        }
        hasVowel = hasVowel || isVowel(body.back());
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
    // Two vowels that got this far still start a rhyme: uo, ue, ye (uống, uế, yêu).
    if (contains(kPlainVowels, c1)) return false;
    if (!isLetter(c2)) return false;
    return contains(kPlainVowels, c2);
}

bool shouldPassThroughLiteral(std::u32string_view wordBefore, char32_t) { return looksLikeEnglish(wordBefore); }

bool shouldPassThroughLiteral(std::u32string_view rawInput, VietInputMethod method) {
    const auto body = spellingBody(rawInput, method);
    // Capitals count in the letters the keys make: the second D of DD is a key for Đ.
    if (hasProperNounCaps(body)) return true;
    if (looksLikeEnglish(body)) return true;
    if (body.size() < 3) return false;
    return !VietSpellingChecker::canBeVietnameseInProgress(body);
}

}  // namespace VietWordValidator

}  // namespace zentrel::typing
