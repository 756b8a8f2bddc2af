#include "typing/engine/VietIMEEngine.hpp"

#include "typing/engine/VietSyllable.hpp"
#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"
#include "typing/engine/VietWordTransforms.hpp"

namespace zentrel::typing {

using namespace VietWordValidator;
using VietSpellingChecker::canBeVietnameseInProgress;
using VietSpellingChecker::isValidTypingSequence;

std::optional<IMEResult> VietIMEEngine::processChar(std::string_view utf8) {
    const auto text = composed(toUtf32(utf8));
    if (text.empty()) return std::nullopt;
    return processChar(text.front());
}

std::optional<IMEResult> VietIMEEngine::processChar(char32_t c) {
    keyEndedWord_ = false;
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
        if (inputMethod == VietInputMethod::viqr && !word_.empty()) {
            if (auto applied = viqrKeyInsideWord(c)) return *applied;
        }
        auto result = wordBreakResult();
        reset();
        keyEndedWord_ = true;
        return result;
    }
    if (word_.empty() && !raw_.empty()) {
        raw_.clear();
        englishPassThroughMode_ = false;
    }
    screenCount_ = word_.size();
    raw_.push_back(c);
    switch (inputMethod) {
    case VietInputMethod::telex: return telex(c);
    case VietInputMethod::vni: return vni(c);
    case VietInputMethod::viqr: return viqr(c);
    }
    return std::nullopt;
}

void VietIMEEngine::handleBackspace() {
    if (!raw_.empty()) raw_.pop_back();
    if (!word_.empty()) word_.pop_back();
    if (word_.empty()) {
        raw_.clear();
        englishPassThroughMode_ = false;
    }
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = hornPair_ = viqrEscape_ = false;
}

std::optional<IMEResult> VietIMEEngine::restoreRawWord() {
    if (raw_.empty() || raw_ == word_) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(raw_)};
    word_ = raw_;
    lastTransform_.reset();
    syntheticHornUpper_ = hornPair_ = false;
    return result;
}

void VietIMEEngine::reset() {
    word_.clear();
    raw_.clear();
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = englishPassThroughMode_ = hornPair_ = viqrEscape_ = false;
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
    if (!options.restoreOnWordBreak || !options.skipTransformForEnglish || !hasVietnameseMark(word_)) {
        return std::nullopt;
    }
    const auto body = spellingBody(raw_, inputMethod);
    const bool capitals = options.respectProperNounCaps && hasProperNounCaps(raw_);
    if (!capitals && !looksLikeEnglish(body) && canBeVietnameseInProgress(body)) return std::nullopt;
    if (restoredText() == word_) return std::nullopt;
    IMEResult result{static_cast<int>(word_.size()), toUtf8(restoredText())};
    word_ = restoredText();
    return result;
}

std::optional<VietIMEEngine::Result> VietIMEEngine::instantRestore() {
    if (!options.instantRestoreInvalidSpelling || !options.skipTransformForEnglish || !hasVietnameseMark(word_)) {
        return std::nullopt;
    }
    const auto body = spellingBody(raw_, inputMethod);
    if (body.size() < 3 || isValidTypingSequence(body)) return std::nullopt;
    const bool restore = looksLikeEnglish(body) || (options.respectProperNounCaps && hasProperNounCaps(raw_)) ||
                         !canBeVietnameseInProgress(body);
    if (!restore) return std::nullopt;
    englishPassThroughMode_ = true;
    const auto before = word_;
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = hornPair_ = false;
    if (restoredText() == before) {
        word_ = restoredText();
        return std::nullopt;
    }
    return changedTo(restoredText());
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
        if (!foreign && options.respectProperNounCaps && hasProperNounCaps(raw_)) foreign = true;
        if (!foreign) {
            const auto body = spellingBody(raw_, inputMethod);
            foreign = body.size() >= 2 && !isValidTypingSequence(body) &&
                      (looksLikeEnglish(body) ||
                       (options.instantRestoreInvalidSpelling && body.size() >= 3 && !canBeVietnameseInProgress(body)));
        }
    }
    if (!foreign) return std::nullopt;
    englishPassThroughMode_ = true;
    if (restoredText() == word_) return Result{};
    lastTransform_.reset();
    syntheticHornUpper_ = pendingStandaloneW_ = hornPair_ = false;
    return changedTo(restoredText());
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
    hornPair_ = false;
    return changedTo(std::move(*marked));
}

}  // namespace zentrel::typing
