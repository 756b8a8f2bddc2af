#pragma once
// Turns typed characters into Vietnamese text, one word at a time. It keeps
// the word being composed and answers each key with what to erase before the
// caret and what to write instead; no answer lets the key through as typed.
// It knows nothing of events or clients. One engine serves one typing
// context, called from one thread at a time.
//
//   VietIMEEngine engine;
//   for (char32_t key : U"vieetj") apply(engine.processChar(key));

#include "typing/engine/VietIMEOptions.hpp"
#include "typing/engine/VietInputMethod.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

struct IMEResult {
    int backspaces = 0;  // characters to erase before the caret
    std::string insert;  // UTF-8 text to write in their place

    bool operator==(const IMEResult&) const = default;
};

class VietIMEEngine {
public:

    // Read and written by the owner at any time.
    VietInputMethod inputMethod = VietInputMethod::telex;
    VietIMEOptions options = VietIMEOptions::defaultOptions;

    // One typed character. At a word breaker the caller writes the result
    // (if any), and then delivers the breaker itself; the engine is reset.
    [[nodiscard]] std::optional<IMEResult> processChar(char32_t character);
    // The first character of UTF-8 text; nothing for empty text.
    [[nodiscard]] std::optional<IMEResult> processChar(std::string_view utf8);
    // One character deleted while a word is composed; the caller lets the key
    // through. The keys kept afterwards type the shorter word, so typing goes
    // on as if it had been typed that way.
    void handleBackspace();
    // The keys typed for the word in place of the word shown, when they differ.
    [[nodiscard]] std::optional<IMEResult> restoreRawWord();
    // The word ends without a breaker (Return, a shortcut, the end of input):
    // what a breaker would write in its place, then the engine is reset.
    [[nodiscard]] std::optional<IMEResult> endWord();
    void reset();

    [[nodiscard]] std::string wordOutput() const;
    [[nodiscard]] std::string rawInput() const;
    // The word as its end will leave it, where that is already certain: a
    // word that an escaped tone key left as no syllable ("glas" of "glass")
    // is its keys as typed. Otherwise the word shown. A client shows this,
    // so that a word the framework makes final by itself (a focus change)
    // is right too.
    [[nodiscard]] std::string settledWord() const;
    [[nodiscard]] const std::u32string& word() const { return word_; }
    [[nodiscard]] bool isForeignWord() const { return englishPassThroughMode_; }
    // Whether the last key ended the word, so that the caller delivers it
    // after the answer. In VIQR a mark key inside a word does not.
    [[nodiscard]] bool lastKeyEndedWord() const { return keyEndedWord_; }

private:
    struct TransformKind {
        enum class Kind { tone, vowel, dKey, standaloneHorn, quickTelex, consonantShortcut, bracket };
        Kind kind;
        char32_t key = 0;  // for tone and vowel
        bool operator==(const TransformKind&) const = default;
    };
    using Result = std::optional<IMEResult>;

    // The word becomes `text`; the answer erases what the screen showed before this key.
    Result changedTo(std::u32string text);
    Result literal(char32_t c);
    Result literalWithReset(char32_t c);
    // What the raw keys restore to: every key typed for the word.
    [[nodiscard]] const std::u32string& restoredText() const { return raw_; }
    [[nodiscard]] bool modern() const { return options.toneRule == VietToneRule::modern; }
    [[nodiscard]] bool englishGuard() const;

    Result wordBreakResult();
    // A w still shown as typed at the end of the word, as ư when that makes a syllable.
    Result standaloneWAtBreak();
    Result escapedWordAsTyped();
    // Whether the end of the word writes back the keys of an escaped tone key.
    [[nodiscard]] bool escapeWritesBack() const;
    // Foreign words, before any rule runs: one already found, or a foreign first letter.
    std::optional<Result> foreignWord();
    // What a key's rules made, settled (uơ before a final, the tone at its
    // place) and checked: a word that reads as foreign is written back as typed.
    Result checked(const std::u32string& before, Result result);
    [[nodiscard]] bool readsAsForeign(bool hadMark) const;
    Result writtenAsTyped(const std::u32string& before);
    // The word's letters the spelling checks read: tones and marks kept, the
    // keys that stayed in the word as typed (VNI digits, VIQR marks) left out.
    [[nodiscard]] std::u32string spellingLetters(std::u32string_view word) const;

    // An engine of the same method and options that was given these keys.
    [[nodiscard]] VietIMEEngine replayed(std::u32string_view keys) const;
    // Keys to try after Delete, best first, for the word now shown.
    [[nodiscard]] std::vector<std::u32string> keysAfterDelete(const std::u32string& shown, char32_t removed) const;

    Result telexRules(char32_t c);
    Result vniRules(char32_t c);
    Result viqrRules(char32_t c);
    Result telex(char32_t c);
    Result vni(char32_t c);
    Result viqr(char32_t c);

    std::optional<Result> telexRepeatEscape(char32_t c, char32_t lower);
    std::optional<Result> vniViqrRepeatEscape(char32_t c);
    Result undoStandaloneHorn();
    Result clearStep(char32_t c);
    Result toneStep(int tone, char32_t key, char32_t c);
    // A value when the mark applied (or the guard typed the key instead).
    std::optional<Result> markStep(char32_t key, char32_t c, bool resetOnGuard);
    std::optional<Result> dRules(char32_t c);

    // VIQR keys that also end words act as marks inside a word when a rule
    // takes them; a backslash before one types it as it is.
    std::optional<Result> viqrKeyInsideWord(char32_t c);
    Result finishViqrEscape(char32_t c);

    std::u32string word_;  // as shown
    std::u32string raw_;   // as typed
    std::optional<TransformKind> lastTransform_;
    bool syntheticHornUpper_ = false;
    bool pendingStandaloneW_ = false;
    bool englishPassThroughMode_ = false;
    bool escaped_ = false;         // the repeat-key escape typed the key
    bool toneKeyEscaped_ = false;  // the escape typed a tone key in this word ("class")
    bool stale_ = false;           // after Delete the keys no longer make the word shown
    bool viqrEscape_ = false;      // a backslash waits for the next key
    std::size_t screenCount_ = 0;  // characters shown for the word before this key
    bool keyEndedWord_ = false;
};

}  // namespace zentrel::typing
