#pragma once
// What the translation tests check texts against: the program's keys as the
// build extracts them from its sources, and the words of another system
// that no text of the Linux layout may contain.

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::testing {

// Every string literal of the program's sources.
[[nodiscard]] const std::set<std::string>& sourceTexts();
// The literals passed to the lookup by name (localized, localizedFormat, localizedText).
[[nodiscard]] const std::set<std::string>& literalKeys();
// The words of another system found in `text` ("Mac" as a word, "Finder", "⌘"...).
[[nodiscard]] std::vector<std::string> otherSystemWords(std::string_view text);
// The problems of `keys` on the Linux layout: a key without an English or a
// Vietnamese entry in the built-in catalogs, or whose text in either names another system.
[[nodiscard]] std::vector<std::string> translationProblems(const std::set<std::string, std::less<>>& keys);
// The texts of `shown` that read as no text of `language` on the Linux layout.
// A text of a language is a message of its catalog with each slot ("%@",
// "%lld", "%2$@") filled by anything: "Rác của %@" holds "Rác của Chrome".
[[nodiscard]] std::vector<std::string> textsNotIn(std::string_view language, const std::vector<std::string>& shown);
// At the end of the test program: every key it looked up that is a text of
// the sources has no such problem.
void checkLookedUpKeysAtExit();

}  // namespace zentrel::testing
