#pragma once
// The rhymes of Vietnamese: a syllable's vowel group with its final
// consonant, toneless and in lower case ("iêng" in tiếng, "oa" in hoa,
// "ươi" in người). The syllable checks ask whether a text is one, or can
// still become one as more keys are typed.

#include <string_view>

namespace zentrel::typing::VietRhymes {

// Whether the text is a whole rhyme.
[[nodiscard]] bool isRhyme(std::u32string_view rhyme);
// Whether the text is the start of a rhyme, where a plain vowel may still
// take its mark (a for â or ă, e for ê, o for ô or ơ, u for ư).
[[nodiscard]] bool canBecomeRhyme(std::u32string_view start);

}  // namespace zentrel::typing::VietRhymes
