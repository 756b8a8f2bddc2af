#include "typing/engine/VietIMEEngine.hpp"

#include "typing/engine/VietSyllable.hpp"
#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"
#include "typing/engine/VietWordTransforms.hpp"

#include <algorithm>

namespace zentrel::typing {

using namespace VietWordValidator;
using VietSpellingChecker::canBeVietnameseInProgress;
using VietSpellingChecker::isValidTypingSequence;

namespace {

int toneOf(std::u32string_view word) {
    int tone = 0;
    for (char32_t c : word) tone = std::max(tone, decompose(c).tone);
    return tone;
}

bool sameLettersAndTone(std::u32string_view a, std::u32string_view b) {
    const auto plainA = removeAllTones(a);
    const auto plainB = removeAllTones(b);
    return plainA && plainB && *plainA == *plainB && toneOf(a) == toneOf(b);
}

}  // namespace

std::optional<IMEResult> VietIMEEngine::processChar(std::string_view utf8) {
    const auto text = composed(toUtf32(utf8));
    if (text.empty()) return std::nullopt;
    return processChar(text.front());
}

std::optional<IMEResult> VietIMEEngine::processChar(char32_t c) {
    keyEndedWord_ = false;
    escaped_ = false;
    if (inputMethod == VietInputMethod::viqr) {
        if (viqrEscape_) return finishViqrEscape(c);
        if (c == U'\\' && !word_.empty()) {
            raw_.push_back(c);
            word_.push_back(c);
            lastTransform_.reset();
            viqrEscape_ = true;
            return std::nullopt;
        }
    }
    if (isWordBreaker(c)) {
        if (inputMethod == VietInputMethod::viqr && !word_.empty() && !stale_) {
            if (auto applied = viqrKeyInsideWord(c)) return *applied;
        }
        return endWord();
    }
    if (word_.empty() && !raw_.empty()) {
        raw_.clear();
        englishPassThroughMode_ = false;
    }
    // After Delete in a word written back as typed, the next key starts
    // again from the keys, so that the word can become Vietnamese again.
    std::optional<std::u32string> shown;
    if (stale_) {
        shown = word_;
        *this = replayed(raw_);
    }
    screenCount_ = shown ? shown->size() : word_.size();
    raw_.push_back(c);
    Result result;
    switch (inputMethod) {
    case VietInputMethod::telex: result = telex(c); break;
    case VietInputMethod::vni: result = vni(c); break;
    case VietInputMethod::viqr: result = viqr(c); break;
    }
    if (shown && !result && word_ != *shown + c) result = IMEResult{static_cast<int>(screenCount_), toUtf8(word_)};
    return result;
}

std::optional<IMEResult> VietIMEEngine::endWord() {
    auto result = wordBreakResult();
    reset();
    keyEndedWord_ = true;
    return result;
}

void VietIMEEngine::handleBackspace() {
    // A word shown as its keys (the escape's write-back) loses its last key.
    if (escapeWritesBack()) {
        word_ = restoredText();
        word_.pop_back();
        raw_ = word_;
        lastTransform_.reset();
        syntheticHornUpper_ = pendingStandaloneW_ = viqrEscape_ = toneKeyEscaped_ = englishPassThroughMode_ = false;
        stale_ = true;
        return;
    }
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = viqrEscape_ = stale_ = toneKeyEscaped_ = false;
    if (word_.size() <= 1) {
        word_.clear();
        raw_.clear();
        englishPassThroughMode_ = false;
        return;
    }
    const auto removed = word_.back();
    word_.pop_back();
    // The keys that type the shorter word, so that typing goes on as if it had been typed.
    const auto candidates = keysAfterDelete(word_, removed);
    std::optional<VietIMEEngine> near;
    for (const auto& keys : candidates) {
        auto engine = replayed(keys);
        if (engine.word_ == word_) {
            *this = std::move(engine);
            return;
        }
        if (!near && sameLettersAndTone(engine.word_, word_)) near = std::move(engine);
    }
    // Keys whose word differs only in where the tone sits (boó from boóng is
    // typed bóo): they do, and the word stays as shown until the next key places the tone.
    if (near) {
        auto shown = std::move(word_);
        *this = std::move(*near);
        word_ = std::move(shown);
        return;
    }
    // No keys make the word as shown (one written back as typed): it stays,
    // and the next key starts again from its keys.
    raw_ = candidates.front();
    englishPassThroughMode_ = false;
    stale_ = true;
}

std::vector<std::u32string> VietIMEEngine::keysAfterDelete(const std::u32string& shown, char32_t removed) const {
    std::vector<std::u32string> candidates;
    candidates.push_back(raw_.substr(0, raw_.empty() ? 0 : raw_.size() - 1));
    // A plain letter deleted inside the keys: the tone or mark keys after it stay.
    if (!isVietnameseMark(removed)) {
        if (const auto at = raw_.rfind(removed); at != std::u32string::npos && at + 1 != raw_.size()) {
            candidates.push_back(raw_.substr(0, at) + raw_.substr(at + 1));
        }
    }
    candidates.push_back(typedKeys(shown, inputMethod));
    return candidates;
}

VietIMEEngine VietIMEEngine::replayed(std::u32string_view keys) const {
    VietIMEEngine engine;
    engine.inputMethod = inputMethod;
    engine.options = options;
    for (char32_t key : keys) (void)engine.processChar(key);
    return engine;
}

std::optional<IMEResult> VietIMEEngine::restoreRawWord() {
    if (raw_.empty() || raw_ == word_) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(raw_)};
    word_ = raw_;
    lastTransform_.reset();
    syntheticHornUpper_ = stale_ = false;
    return result;
}

void VietIMEEngine::reset() {
    word_.clear();
    raw_.clear();
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = englishPassThroughMode_ = viqrEscape_ = stale_ = false;
    toneKeyEscaped_ = false;
}

std::string VietIMEEngine::wordOutput() const { return toUtf8(word_); }
std::string VietIMEEngine::rawInput() const { return toUtf8(raw_); }

VietIMEEngine::Result VietIMEEngine::changedTo(std::u32string text) {
    word_ = std::move(text);
    return IMEResult{static_cast<int>(screenCount_), toUtf8(word_)};
}

VietIMEEngine::Result VietIMEEngine::literal(char32_t c) {
    word_.push_back(c);
    return std::nullopt;
}

VietIMEEngine::Result VietIMEEngine::literalWithReset(char32_t c) {
    lastTransform_.reset();
    return literal(c);
}

bool VietIMEEngine::englishGuard() const {
    return options.skipTransformForEnglish && shouldPassThroughLiteral(std::u32string_view(raw_), inputMethod);
}

VietIMEEngine::Result VietIMEEngine::wordBreakResult() {
    if (auto horn = standaloneWAtBreak()) return horn;
    if (auto typed = escapedWordAsTyped()) return typed;
    if (stale_ || !options.restoreOnWordBreak || !options.skipTransformForEnglish || !hasVietnameseMark(word_)) {
        return std::nullopt;
    }
    // A word with marks stays only as a whole syllable: neither English nor
    // Vietnamese ("thẻi", "úe") is written back as typed. A letter on its own
    // stays (â, đ as in "100 đ").
    const bool capitals = options.respectProperNounCaps && hasProperNounCaps(word_);
    const auto letters = spellingLetters(word_);
    if (!capitals && (letters.size() == 1 || VietSyllable::isValidVietnameseSyllable(letters))) return std::nullopt;
    if (restoredText() == word_) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(restoredText())};
    word_ = restoredText();
    return result;
}

bool VietIMEEngine::escapeWritesBack() const {
    // A tone key typed twice to type it leaves "clas" of "class": what is no
    // syllable then goes back to the keys as typed. No later key can make it
    // a syllable again: the escaped letter follows a vowel.
    return toneKeyEscaped_ && !stale_ && options.restoreOnWordBreak &&
           !VietSyllable::isValidVietnameseSyllable(spellingLetters(word_)) && restoredText() != word_;
}

std::string VietIMEEngine::settledWord() const { return toUtf8(escapeWritesBack() ? restoredText() : word_); }

VietIMEEngine::Result VietIMEEngine::escapedWordAsTyped() {
    if (!escapeWritesBack()) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(restoredText())};
    word_ = restoredText();
    return result;
}

VietIMEEngine::Result VietIMEEngine::standaloneWAtBreak() {
    if (!pendingStandaloneW_ || word_.size() < 2 || (word_.back() != U'w' && word_.back() != U'W')) return std::nullopt;
    auto horned = word_;
    horned.back() = word_.back() == U'W' ? U'Ư' : U'ư';
    if (!VietSyllable::isValidVietnameseSyllable(horned)) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(horned)};
    word_ = std::move(horned);
    return result;
}

std::optional<VietIMEEngine::Result> VietIMEEngine::foreignWord() {
    if (!options.skipTransformForEnglish) return std::nullopt;
    bool foreign = englishPassThroughMode_;
    if (!foreign && !hasVietnameseMark(word_)) {
        const auto letters = letterOnly(raw_);
        if (!letters.empty()) {
            const auto first = lowerCased(letters[0]);
            foreign = first == U'f' || first == U'j' || first == U'w' || first == U'z' ||
                      (first == U'p' && letters.size() >= 2 && lowerCased(letters[1]) != U'h');
        }
    }
    if (!foreign) return std::nullopt;
    const auto before = word_;
    return writtenAsTyped(before);
}

VietIMEEngine::Result VietIMEEngine::checked(const std::u32string& before, Result result) {
    const auto made = word_;
    if (auto horned = hornedBeforeFinal(word_)) word_ = std::move(*horned);
    if (auto placed = tonePlaced(word_, modern())) word_ = std::move(*placed);
    // A key pressed twice in a row to type it (class gives clas) leaves the word as asked.
    const bool repeated = escaped_ && raw_.size() >= 2 && lowerCased(raw_[raw_.size() - 2]) == lowerCased(raw_.back());
    if (options.skipTransformForEnglish && !repeated && readsAsForeign(hasVietnameseMark(before))) {
        return writtenAsTyped(before);
    }
    if (word_ != made) return IMEResult{static_cast<int>(screenCount_), toUtf8(word_)};
    return result;
}

bool VietIMEEngine::readsAsForeign(bool hadMark) const {
    const auto body = spellingLetters(word_);
    const bool capitals = options.respectProperNounCaps && hasProperNounCaps(word_);
    const bool instant = options.instantRestoreInvalidSpelling;
    if (hadMark) {
        if (!instant || body.size() < 3 || isValidTypingSequence(body)) return false;
        return looksLikeEnglish(body) || capitals || !canBeVietnameseInProgress(body);
    }
    if (capitals) return true;
    return body.size() >= 2 && !isValidTypingSequence(body) &&
           (looksLikeEnglish(body) || (instant && body.size() >= 3 && !canBeVietnameseInProgress(body)));
}

VietIMEEngine::Result VietIMEEngine::writtenAsTyped(const std::u32string& before) {
    englishPassThroughMode_ = true;
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = false;
    word_ = restoredText();
    if (!raw_.empty() && word_ == before + raw_.back()) return std::nullopt;
    return IMEResult{static_cast<int>(screenCount_), toUtf8(word_)};
}

std::u32string VietIMEEngine::spellingLetters(std::u32string_view word) const {
    auto letters = letterOnly(word);
    if (inputMethod == VietInputMethod::vni) std::erase_if(letters, isAsciiDigit);
    return letters;
}

VietIMEEngine::Result VietIMEEngine::clearStep(char32_t c) {
    if (auto plain = removeAllTones(word_)) {
        lastTransform_.reset();
        return changedTo(std::move(*plain));
    }
    auto stripped = stripMarks(word_);
    if (stripped.changed) {
        lastTransform_.reset();
        return changedTo(std::move(stripped.text));
    }
    return literal(c);
}

VietIMEEngine::Result VietIMEEngine::toneStep(int tone, char32_t key, char32_t c) {
    auto toned = applyTone(word_, tone, modern());
    if (!toned) return literal(c);
    lastTransform_ = TransformKind{TransformKind::Kind::tone, key};
    return changedTo(std::move(*toned));
}

std::optional<VietIMEEngine::Result> VietIMEEngine::markStep(char32_t key, char32_t c, bool resetOnGuard) {
    auto marked = applyMark(word_, markTable(inputMethod), key);
    if (!marked) return std::nullopt;
    if (englishGuard()) return resetOnGuard ? literalWithReset(c) : literal(c);
    lastTransform_ = TransformKind{TransformKind::Kind::vowel, key};
    return changedTo(std::move(*marked));
}

}  // namespace zentrel::typing
