#pragma once
// What the key rules do to the word being composed: put a tone on the vowel
// that carries it, take tones away, put a vowel mark on the last letter or
// take it back, and turn đ back into d. Each returns the new word, or none
// when nothing changes.

#include "typing/engine/VietTables.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace zentrel::typing {

// Tone t on the tone-bearing vowel; the same tone again removes it.
[[nodiscard]] std::optional<std::u32string> applyTone(std::u32string_view word, int tone, bool modern);
// The tone of the tone-bearing vowel taken away.
[[nodiscard]] std::optional<std::u32string> removeToneAtPosition(std::u32string_view word, bool modern);
// Every tone taken away.
[[nodiscard]] std::optional<std::u32string> removeAllTones(std::u32string_view word);

struct StrippedMarks {
    std::u32string text;
    bool changed = false;  // the word held đ or a modified vowel
};
// đ to d and every modified vowel to its plain toneless form.
[[nodiscard]] StrippedMarks stripMarks(std::u32string_view word);

// The mark of `key` on the last character, its tone kept.
[[nodiscard]] std::optional<std::u32string> applyMark(std::u32string_view word, const MarkTable& table, char32_t key);
// The last character's mark, made by `key`, taken back.
[[nodiscard]] std::optional<std::u32string> undoMark(std::u32string_view word, const MarkTable& table, char32_t key);

// uơ becomes ươ once a final or a glide follows it (thuở, but người, được);
// qu keeps its u (quở).
[[nodiscard]] std::optional<std::u32string> hornedBeforeFinal(std::u32string_view word);
// The tone moved to the vowel that carries it for the word as it now stands
// (hòa + n gives hoàn).
[[nodiscard]] std::optional<std::u32string> tonePlaced(std::u32string_view word, bool modern);

// Keys that type the word in the method: each letter with its mark keys, and
// the tone key last ("đẹ" is d d e j in Telex, d 9 e 5 in VNI).
[[nodiscard]] std::u32string typedKeys(std::u32string_view word, VietInputMethod method);

// Whether any character is đ, a modified vowel or carries a tone.
[[nodiscard]] bool hasVietnameseMark(std::u32string_view word);

}  // namespace zentrel::typing
