// The Telex, VNI and VIQR rules of the engine: an ordered list of steps per
// method; the first step that answers ends the key.

#include "typing/engine/VietIMEEngine.hpp"

#include "typing/engine/VietSyllable.hpp"
#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"
#include "typing/engine/VietWordTransforms.hpp"

#include <algorithm>

namespace zentrel::typing {
namespace {


bool hasTone(std::u32string_view word) {
    return std::any_of(word.begin(), word.end(), [](char32_t c) { return decompose(c).tone >= 1; });
}

bool isViqrKey(char32_t c) { return std::u32string_view(U"'`?~.(^+").find(c) != std::u32string_view::npos; }

}  // namespace

VietIMEEngine::Result VietIMEEngine::telex(char32_t c) {
    const auto l = lowerCased(c);

    // 1. A standalone w shown as typed becomes ư once the next key is not w.
    if (pendingStandaloneW_) {
        pendingStandaloneW_ = false;
        if (l != U'w') {
            if (!word_.empty() && (word_.back() == U'w' || word_.back() == U'W')) {
                syntheticHornUpper_ = word_.back() == U'W';
                word_.back() = syntheticHornUpper_ ? U'Ư' : U'ư';
                lastTransform_ = TransformKind{TransformKind::Kind::standaloneHorn};
            }
            if (auto inner = telex(c)) return inner;
            return IMEResult{static_cast<int>(screenCount_), toUtf8(word_)};
        }
    }

    // 2. Foreign words; what the rules make is checked after them.
    if (auto answered = foreignWord()) return *answered;
    const auto before = word_;
    return checked(before, telexRules(c));
}

VietIMEEngine::Result VietIMEEngine::telexRules(char32_t c) {
    const auto l = lowerCased(c);

    // 3. Brackets.
    if (!options.simplifiedTelex && (c == U'[' || c == U']') && (word_.empty() || !isVowel(word_.back()))) {
        word_.push_back(c == U'[' ? U'ư' : U'ơ');
        lastTransform_ = TransformKind{TransformKind::Kind::bracket};
        return changedTo(word_);
    }

    // 4. Clear.
    if (options.clearToneKey && l == U'z') return clearStep(c);

    // 5. Repeat-key escape.
    if (options.repeatKeyEscape) {
        if (auto answered = telexRepeatEscape(c, l)) return *answered;
    }

    // 6. The w key.
    if (l == U'w') {
        if (lastTransform_ == TransformKind{TransformKind::Kind::standaloneHorn}) return undoStandaloneHorn();
        if ((word_.empty() || !isVowel(word_.back())) && options.standaloneW && !options.simplifiedTelex) {
            word_.push_back(c);
            pendingStandaloneW_ = true;
            lastTransform_.reset();
            return changedTo(word_);
        }
    }

    // 7. Quick Telex.
    if (options.quickTelex && !word_.empty()) {
        if (const auto pair = quickTelexPair(lowerCased(word_.back()), l)) {
            word_.pop_back();
            word_.append(*pair);
            lastTransform_ = TransformKind{TransformKind::Kind::quickTelex};
            return changedTo(word_);
        }
    }

    // 8. Consonant shortcuts.
    if (options.consonantShortcuts) {
        std::optional<std::u32string_view> shortcut;
        if (word_.empty() || !isLetter(word_.back())) shortcut = startShortcut(l);
        if (!shortcut && ((!word_.empty() && isVowel(word_.back())) || hasTone(word_))) shortcut = afterVowelShortcut(l);
        if (shortcut) {
            word_.append(*shortcut);
            lastTransform_ = TransformKind{TransformKind::Kind::consonantShortcut};
            return changedTo(word_);
        }
    }

    // 9. Tones.
    if (const auto tone = telexTones().find(l); tone != telexTones().end()) {
        if (englishGuard()) return literalWithReset(c);
        return toneStep(tone->second, l, c);
    }

    // 10. The d rules.
    if (l == U'd') {
        if (auto answered = dRules(c)) return *answered;
    }

    // 11. Vowel marks (w after "uo" marks the o; the u follows once a final does).
    if (auto answered = markStep(l, c, true)) return *answered;

    // 12.
    return literalWithReset(c);
}

std::optional<VietIMEEngine::Result> VietIMEEngine::telexRepeatEscape(char32_t c, char32_t l) {
    using K = TransformKind::Kind;
    escaped_ = true;  // until no case below applies
    if (lastTransform_ == TransformKind{K::tone, l}) {
        word_ = removeToneAtPosition(word_, modern()).value_or(word_);
        word_.push_back(c);
        lastTransform_.reset();
        toneKeyEscaped_ = true;
        return changedTo(word_);
    }
    if (lastTransform_ == TransformKind{K::vowel, l}) {
        word_ = undoMark(word_, telexModifiers(), l).value_or(word_);
        word_.push_back(c);
        lastTransform_.reset();
        return changedTo(word_);
    }
    if (lastTransform_ == TransformKind{K::dKey} && l == U'd' && !word_.empty() &&
        (word_.back() == U'đ' || word_.back() == U'Đ')) {
        word_.pop_back();
        word_.append(isUpperCase(c) ? U"DD" : U"dd");
        lastTransform_.reset();
        return changedTo(word_);
    }
    if (lastTransform_ == TransformKind{K::standaloneHorn} && l == U'w') return undoStandaloneHorn();
    if (const auto tone = telexTones().find(l); tone != telexTones().end()) {
        const auto position = VietSyllable::tonePosition(word_, modern());
        if (position && decompose(word_[*position]).tone == tone->second) {
            word_ = removeToneAtPosition(word_, modern()).value_or(word_);
            word_.push_back(c);
            lastTransform_.reset();
            toneKeyEscaped_ = true;
            return changedTo(word_);
        }
    }
    escaped_ = false;
    return std::nullopt;
}

VietIMEEngine::Result VietIMEEngine::undoStandaloneHorn() {
    if (!word_.empty()) word_.back() = syntheticHornUpper_ ? U'W' : U'w';
    syntheticHornUpper_ = false;
    lastTransform_.reset();
    return changedTo(word_);
}

std::optional<VietIMEEngine::Result> VietIMEEngine::dRules(char32_t c) {
    if (raw_.size() < 2) return std::nullopt;
    // The letters as typed: "deed" and "dosed" keep their d.
    if (options.skipTransformForEnglish && VietWordValidator::looksLikeEnglish(VietWordValidator::letterOnly(raw_))) {
        return std::nullopt;
    }
    const auto dKey = TransformKind{TransformKind::Kind::dKey};
    const bool doubled = lowerCased(raw_[raw_.size() - 2]) == U'd' && lowerCased(raw_.back()) == U'd';
    if (doubled) {
        if (word_.empty()) {
            lastTransform_ = dKey;
            return changedTo(std::u32string(1, isUpperCase(c) ? U'Đ' : U'đ'));
        }
        auto& last = word_.back();
        if (last == U'd' || last == U'D') {
            last = last == U'D' ? U'Đ' : U'đ';
        } else if (last == U'đ' || last == U'Đ') {
            last = last == U'Đ' ? U'D' : U'd';
        } else {
            return std::nullopt;
        }
        lastTransform_ = dKey;
        return changedTo(word_);
    }
    if (word_.size() < 2) return std::nullopt;
    const auto first = word_.front();
    const auto last = lowerCased(word_.back());
    const auto lower = lowerCased(word_);
    if ((first == U'd' || first == U'D') && last != U'd' && last != U'đ' && (isVowel(last) || hasTone(word_)) &&
        lower != U"da" && lower != U"du") {
        word_.front() = first == U'D' ? U'Đ' : U'đ';
        lastTransform_ = dKey;
        return changedTo(word_);
    }
    return std::nullopt;
}

std::optional<VietIMEEngine::Result> VietIMEEngine::vniViqrRepeatEscape(char32_t c) {
    using K = TransformKind::Kind;
    if (lastTransform_ == TransformKind{K::tone, c}) {
        word_ = removeToneAtPosition(word_, modern()).value_or(word_);
        toneKeyEscaped_ = true;
    } else if (lastTransform_ == TransformKind{K::vowel, c}) {
        word_ = undoMark(word_, markTable(inputMethod), c).value_or(word_);
    } else {
        return std::nullopt;
    }
    word_.push_back(c);
    lastTransform_.reset();
    escaped_ = true;
    return changedTo(word_);
}

VietIMEEngine::Result VietIMEEngine::vni(char32_t c) {
    if (auto answered = foreignWord()) return *answered;
    const auto before = word_;
    return checked(before, vniRules(c));
}

VietIMEEngine::Result VietIMEEngine::vniRules(char32_t c) {
    if (options.repeatKeyEscape) {
        if (auto answered = vniViqrRepeatEscape(c)) return *answered;
    }
    if (options.clearToneKey && c == U'0') return clearStep(c);
    if (const auto tone = vniTones().find(c); tone != vniTones().end()) {
        if (englishGuard()) return literal(c);
        return toneStep(tone->second, c, c);
    }
    if (auto answered = markStep(c, c, false)) return *answered;
    return literalWithReset(c);
}

VietIMEEngine::Result VietIMEEngine::viqr(char32_t c) {
    if (auto answered = foreignWord()) return *answered;
    const auto before = word_;
    return checked(before, viqrRules(c));
}

VietIMEEngine::Result VietIMEEngine::viqrRules(char32_t c) {
    if (options.repeatKeyEscape) {
        if (auto answered = vniViqrRepeatEscape(c)) return *answered;
    }
    if (const auto tone = viqrTones().find(c); tone != viqrTones().end()) {
        if (englishGuard()) return literal(c);
        return toneStep(tone->second, c, c);
    }
    if (c == U'd' || c == U'D') {
        if (auto answered = dRules(c)) return *answered;
    }
    if (c == U'^' || c == U'(' || c == U'+') {
        if (auto answered = markStep(c, c, false)) return *answered;
    }
    return literalWithReset(c);
}

std::optional<VietIMEEngine::Result> VietIMEEngine::viqrKeyInsideWord(char32_t c) {
    if (!isViqrKey(c)) return std::nullopt;
    // Run the key as a rule. It stays a mark when it added its tone or mark,
    // or undid the one it made just before; otherwise it ends the word, so
    // that "việt." keeps its tone.
    const auto saved = *this;
    const bool undoesItsOwn = saved.lastTransform_ == TransformKind{TransformKind::Kind::tone, c} ||
                              saved.lastTransform_ == TransformKind{TransformKind::Kind::vowel, c};
    screenCount_ = word_.size();
    raw_.push_back(c);
    auto result = viqr(c);
    bool added = false;
    if (const auto tone = viqrTones().find(c); tone != viqrTones().end()) {
        const auto position = VietSyllable::tonePosition(word_, modern());
        added = position && decompose(word_[*position]).tone == tone->second;
    } else {
        added = !word_.empty() && isModifiedVowel(baseLetter(word_.back()));
    }
    if (word_ == saved.word_ + c || !(added || (undoesItsOwn && options.repeatKeyEscape))) {
        *this = saved;
        return std::nullopt;
    }
    return result;
}

VietIMEEngine::Result VietIMEEngine::finishViqrEscape(char32_t c) {
    viqrEscape_ = false;
    if (!isViqrKey(c) || word_.empty() || word_.back() != U'\\') return processChar(c);
    const auto shown = static_cast<int>(word_.size());
    word_.pop_back();
    raw_.pop_back();
    if (isWordBreaker(c)) {
        auto result = wordBreakResult();
        if (result) {
            result->backspaces = shown;
        } else {
            result = IMEResult{1, ""};
        }
        reset();
        keyEndedWord_ = true;
        return result;
    }
    word_.push_back(c);
    raw_.push_back(c);
    lastTransform_.reset();
    return IMEResult{1, toUtf8(std::u32string(1, c))};
}

}  // namespace zentrel::typing
