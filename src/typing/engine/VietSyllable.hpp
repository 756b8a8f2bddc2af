#pragma once
// Pure checks the engine asks while a word is typed: is it a well-formed
// Vietnamese syllable, can the letters so far still become one, which vowel
// carries the tone, and do the keys look like a foreign word to leave as
// typed. No state beyond constant tables; callable from any thread.

#include "typing/engine/VietInputMethod.hpp"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zentrel::typing {

namespace VietSyllable {
// The nine finals, "" (none) included.
[[nodiscard]] const std::set<std::u32string, std::less<>>& validCodas();
[[nodiscard]] bool isValidVietnameseSyllable(std::u32string_view word);
// The index of the vowel that carries the tone; none without a vowel.
[[nodiscard]] std::optional<std::size_t> tonePosition(std::u32string_view word, bool modern);
}  // namespace VietSyllable

namespace VietSpellingChecker {
// True for empty text, else whether it is a syllable.
[[nodiscard]] bool isValidTypingSequence(std::u32string_view word);
// Whether the letters typed so far can still grow into a syllable.
[[nodiscard]] bool canBeVietnameseInProgress(std::u32string_view word);
}  // namespace VietSpellingChecker

namespace VietWordValidator {
// The letters and numbers, in order.
[[nodiscard]] std::u32string letterOnly(std::u32string_view text);
// The raw keys without the keys that only make marks and tones.
[[nodiscard]] std::u32string spellingBody(std::u32string_view raw, VietInputMethod method);
// Capitals inside the word ("iPhone", "McKinsey"); a first capital alone or
// a word in capitals throughout does not count.
[[nodiscard]] bool hasProperNounCaps(std::u32string_view word);
// A consonant followed by a plain vowel, two characters (ba, me, xe).
[[nodiscard]] bool isCommonVietnameseCV(std::u32string_view word);
[[nodiscard]] bool looksLikeEnglish(std::u32string_view word);
[[nodiscard]] bool shouldPassThroughLiteral(std::u32string_view wordBefore, char32_t character);
// Whether a tone or mark key should be typed as a letter instead.
[[nodiscard]] bool shouldPassThroughLiteral(std::u32string_view rawInput, VietInputMethod method);
}  // namespace VietWordValidator

}  // namespace zentrel::typing
