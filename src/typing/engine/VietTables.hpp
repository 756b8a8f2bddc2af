#pragma once
// The fixed tables of Vietnamese typing: the six tone forms of each of the
// twelve vowels, the way back from a form to its vowel and tone, the tone and
// mark keys of Telex, VNI and VIQR, Quick Telex pairs, consonant shortcuts and
// the characters that end a word. Built once, read from any thread.

#include "typing/engine/VietInputMethod.hpp"

#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace zentrel::typing {

// Tone numbers: 0 none, 1 sắc, 2 huyền, 3 hỏi, 4 ngã, 5 nặng.
using ToneForms = std::array<char32_t, 6>;

struct Decomposed {
    char32_t base;
    int tone;
};

// Base vowel to its forms, lower case, indexed by tone number.
[[nodiscard]] const std::map<char32_t, ToneForms>& toneTable();
// Each of the 72 forms to its base vowel and tone.
[[nodiscard]] const std::map<char32_t, Decomposed>& charDecompose();
// The lower-case character's entry; a character not in the table is its own
// base with tone 0 (in lower case).
[[nodiscard]] Decomposed decompose(char32_t c);
// The lower-case form, or its base vowel when it is a vowel form (ấ → â, Ư → ư, B → b).
[[nodiscard]] char32_t baseLetter(char32_t c);
// The form of a base vowel with a tone, in lower case; none for a consonant.
[[nodiscard]] std::optional<char32_t> toneForm(char32_t base, int tone);

inline constexpr std::u32string_view baseVowels = U"aeiouy";
inline constexpr std::u32string_view modifiedVowels = U"âăêôơư";
inline constexpr std::u32string_view allBaseVowels = U"aeiouyâăêôơư";

[[nodiscard]] bool isModifiedVowel(char32_t base);
// Whether the character's base letter is one of the twelve vowels.
[[nodiscard]] bool isVowel(char32_t c);
// Whether the character is đ, a modified vowel or carries a tone.
[[nodiscard]] bool isVietnameseMark(char32_t c);

// Tone keys to tone numbers.
[[nodiscard]] const std::map<char32_t, int>& telexTones();
[[nodiscard]] const std::map<char32_t, int>& vniTones();
[[nodiscard]] const std::map<char32_t, int>& viqrTones();
[[nodiscard]] const std::map<char32_t, int>& toneKeys(VietInputMethod method);

// (base letter, key) to the new letter: ("a", "a") → â stands for "a+a" → â.
using MarkTable = std::map<std::pair<char32_t, char32_t>, char32_t>;
[[nodiscard]] const MarkTable& telexModifiers();
[[nodiscard]] const MarkTable& vniModifiers();
[[nodiscard]] const MarkTable& viqrModifiers();
[[nodiscard]] const MarkTable& markTable(VietInputMethod method);

// Quick Telex: the doubled consonant to the pair it stands for ("cc" → "ch").
[[nodiscard]] std::optional<std::u32string_view> quickTelexPair(char32_t first, char32_t second);
// Consonant shortcuts: at the start of a word f ph, j gi, w qu.
[[nodiscard]] std::optional<std::u32string_view> startShortcut(char32_t key);
// After a vowel g ng, h nh, k ch.
[[nodiscard]] std::optional<std::u32string_view> afterVowelShortcut(char32_t key);

inline constexpr std::u32string_view wordBreakers = U" \t\n\r.,;:!?()[]{}\"'-_@#$%&*/\\|=+";
[[nodiscard]] bool isWordBreaker(char32_t c);

}  // namespace zentrel::typing
