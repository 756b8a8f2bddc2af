#include "typing/integration/IMEEventBridge.hpp"

#include "typing/engine/VietTables.hpp"
#include "typing/engine/VietText.hpp"

#include <algorithm>

namespace zentrel::typing {
namespace {

namespace modifier = platform::modifier;
using platform::TapEventType;
using Edit = FieldInFlight::Edit;

constexpr int kKeyV = 9;
constexpr int kKeyDelete = 51;
constexpr int kKeyLeft = 123;
constexpr int kKeysThatEndTheWord[] = {115, 116, 117, 119, 121, 123, 124, 125, 126, 36, 48, 53, 76};
// Left and right Shift, Caps Lock.
constexpr int kCaseKeys[] = {56, 60, 57};
constexpr std::u32string_view kExtraTypingCharacters = U"^(?~'.`[]";

std::u16string utf16(std::u32string_view text) {
    std::u16string units;
    for (char32_t c : text) {
        if (c < 0x10000) {
            units.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return units;
}

// Leading characters two words share.
std::size_t commonPrefixLength(std::u32string_view a, std::u32string_view b) {
    const auto end = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(end.first - a.begin());
}

}  // namespace

IMEEventBridge::IMEEventBridge(platform::KeyEventPoster& poster, platform::Clipboard& clipboard,
                               FocusedTextWriter& writer)
    : poster_(poster), clipboard_(clipboard), writer_(writer) {}

void IMEEventBridge::withLock(const std::function<void(State&)>& change) {
    std::lock_guard guard(lock_);
    change(state_);
}

std::string IMEEventBridge::displayedText() const {
    std::lock_guard guard(lock_);
    return toUtf8(displayedText_);
}

void IMEEventBridge::resetComposition() {
    std::lock_guard guard(lock_);
    reset();
    tapPresent_ = false;
}

void IMEEventBridge::reset() {
    state_.engine.reset();
    field_.forget();
    displayedText_.clear();
    // A waiting fix cannot land where the word was any more.
    finishedWhileWaiting_.clear();
    fixWaiting_ = false;
}

void IMEEventBridge::dropWaitingFix() {
    // Typing stopped for the window: what waited is not written, later or elsewhere.
    if (fixWaiting_) reset();
}

void IMEEventBridge::fixWord(bool later) {
    if (later) {
        fixWaiting_ = true;
        return;
    }
    // The word as it settles: an escaped tone key's keys ("glass") stand in
    // the field already, whatever ends the word next (Return, nothing).
    const auto word = toUtf32(state_.engine.settledWord());
    replaceDisplayedText(toUtf8(finishedWhileWaiting_ + word));
    // From here on the words before are done; the word on screen is this one.
    displayedText_ = word;
    finishedWhileWaiting_.clear();
    fixWaiting_ = false;
}

void IMEEventBridge::followDeliveredKey(std::optional<char32_t> typed) {
    fieldFollowed_ = true;
    const auto outcome = field_.userKey(typed);
    if (!outcome) return;
    // The text this bridge keeps becomes what the window shows from where
    // the two part; where that lies before it, the words there are rewritten
    // with the next fix, as words finished while a fix waited are.
    const auto& [meant, shown] = *outcome;
    if (meant.size() < displayedText_.size() || !meant.ends_with(displayedText_)) return;
    const std::size_t kept = meant.size() - displayedText_.size();
    const std::size_t from = std::min(commonPrefixLength(meant, shown), kept);
    finishedWhileWaiting_ = meant.substr(from, kept - from) + finishedWhileWaiting_;
    displayedText_ = shown.substr(from);
}

bool IMEEventBridge::shouldHandleFrontmostApp() const {
    if (state_.resolvedInjection.profile.policy == InputPolicy::disable) return false;
    const auto& app = state_.frontmostBundleID;
    return !(app && !app->empty() && state_.excludedApps.contains(*app));
}

IMEEventBridge::Verdict IMEEventBridge::handle(const platform::TapEvent& event, bool tapIsPresent) {
    std::lock_guard guard(lock_);
    if (tapIsPresent) tapPresent_ = true;
    if (event.type == TapEventType::postedKeyArrived) {
        field_.arrived();
        return Verdict::pass;
    }
    if (event.userData == kMarker) return Verdict::pass;
    fieldFollowed_ = false;
    const auto verdict = handleUserEvent(event);
    // A key or click of the user's that went by unfollowed changed the field somehow.
    if (!fieldFollowed_ && event.type != TapEventType::flagsChanged) field_.forget();
    return verdict;
}

IMEEventBridge::Verdict IMEEventBridge::handleUserEvent(const platform::TapEvent& event) {
    if (!state_.isEnabled || isInjecting_) {
        dropWaitingFix();
        return Verdict::pass;
    }

    // The per-application toggle: control and shift with V.
    if (event.type == TapEventType::keyDown && event.keyCode == kKeyV &&
        (event.flags & modifier::mask) == (modifier::control | modifier::shift)) {
        if (state_.onToggleCurrentApp) state_.onToggleCurrentApp();
        reset();
        return Verdict::swallow;
    }
    if (!shouldHandleFrontmostApp()) {
        dropWaitingFix();
        return Verdict::pass;
    }

    auto verdict = Verdict::pass;
    switch (event.type) {
    case TapEventType::leftMouseDown:
    case TapEventType::rightMouseDown:
        reset();
        if (state_.onContextMayHaveChanged) state_.onContextMayHaveChanged();
        break;
    case TapEventType::flagsChanged: verdict = handleFlagsChanged(event); break;
    case TapEventType::keyDown: verdict = handleKeyDown(event); break;
    case TapEventType::postedKeyArrived:
    case TapEventType::other: break;
    }
    // The last of the waiting events makes the fix they held back.
    if (fixWaiting_ && !event.followedByMoreEvents) fixWord(false);
    return verdict;
}

IMEEventBridge::Verdict IMEEventBridge::handleFlagsChanged(const platform::TapEvent& event) {
    const auto flags = event.flags;
    if ((flags & modifier::control) != 0 && (flags & modifier::option) != 0 && state_.options.allowRawRestore) {
        (void)state_.engine.restoreRawWord();
        fixWord(false);
        return Verdict::swallow;
    }
    // Shift and Caps Lock only make capitals: the word goes on ("Ddaats").
    if (std::find(std::begin(kCaseKeys), std::end(kCaseKeys), event.keyCode) != std::end(kCaseKeys)) {
        return Verdict::pass;
    }
    // Any other modifier change ends the word.
    reset();
    return Verdict::pass;
}

IMEEventBridge::Verdict IMEEventBridge::handleKeyDown(const platform::TapEvent& event) {
    const bool command = (event.flags & modifier::command) != 0;
    const bool control = (event.flags & modifier::control) != 0;
    const bool option = (event.flags & modifier::option) != 0;
    if (command) {
        reset();
        return Verdict::pass;
    }
    if (control && option) {
        if (!state_.options.allowRawRestore) return Verdict::pass;
        (void)state_.engine.restoreRawWord();
        fixWord(false);
        return Verdict::swallow;
    }
    if (control || option) {
        reset();
        return Verdict::pass;
    }
    if (std::find(std::begin(kKeysThatEndTheWord), std::end(kKeysThatEndTheWord), event.keyCode) !=
        std::end(kKeysThatEndTheWord)) {
        reset();
        return Verdict::pass;
    }
    // Keys the window has behind this one: its fix waits for the last of them.
    const bool fixLater = event.alreadyDelivered && event.followedByMoreEvents;
    if (event.keyCode == kKeyDelete) {
        // Deleting into a word finished meanwhile leaves that word as it is.
        if (displayedText_.empty() || !finishedWhileWaiting_.empty()) {
            reset();
            return Verdict::pass;
        }
        // A delivered Delete has already erased the last character.
        if (event.alreadyDelivered) {
            displayedText_.pop_back();
            followDeliveredKey(std::nullopt);
        }
        state_.engine.handleBackspace();
        fixWord(fixLater);
        return Verdict::swallow;
    }

    const auto units = std::u16string_view(event.unicode).substr(0, 4);
    if (units.empty() || (units.front() >= 0xD800 && units.front() <= 0xDFFF)) {
        reset();
        return Verdict::pass;
    }
    const char32_t c = units.front();
    const bool isBreak = isWordBreaker(c);
    if (!isBreak && !isLetterOrNumber(c) && kExtraTypingCharacters.find(c) == std::u32string_view::npos) {
        reset();
        return Verdict::pass;
    }
    const auto wordBefore = toUtf32(state_.engine.wordOutput());
    const auto result = state_.engine.processChar(c);
    // A delivered key already stands after the word on screen.
    if (event.alreadyDelivered) {
        displayedText_.push_back(c);
        followDeliveredKey(c);
    }
    // A breaker the engine took as a mark (VIQR) stays inside the word.
    if (!isBreak || !state_.engine.lastKeyEndedWord()) {
        fixWord(fixLater);
        return Verdict::swallow;
    }
    if (!event.alreadyDelivered) {
        if (result) replaceDisplayedText(result->insert);
        displayedText_.clear();
        return Verdict::pass;
    }
    // A delivered breaker stays after the word.
    const auto finished = finishedWhileWaiting_ + (result ? toUtf32(result->insert) : wordBefore) + c;
    if (fixLater) {
        finishedWhileWaiting_ = finished;
        fixWaiting_ = true;
        return Verdict::pass;
    }
    if (displayedText_ != finished) replaceDisplayedText(toUtf8(finished));
    displayedText_.clear();
    finishedWhileWaiting_.clear();
    fixWaiting_ = false;
    return Verdict::pass;
}

void IMEEventBridge::replaceDisplayedText(const std::string& targetText) {
    isInjecting_ = true;
    const auto& profile = state_.resolvedInjection.profile;
    const auto target = toUtf32(targetText);
    const bool written = profile.deliveryMode == InjectionDeliveryMode::axDirect &&
                         writer_.replaceFocusedValue(toUtf8(displayedText_), targetText);
    if (!written) {
        const auto keep = commonPrefixLength(displayedText_, target);
        const auto erase = displayedText_.size() - keep;
        const auto suffix = target.substr(keep);
        if (profile.emptyCharPrefix && erase >= 1) {
            postUnicodeEvent(std::u32string(1, kPrefixCharacter));
            sleep(profile.delays.waitMicros);
        }
        for (std::size_t i = 0; i < erase; ++i) {
            if (profile.deliveryMode == InjectionDeliveryMode::selection) {
                postKeyPair(kKeyLeft, modifier::shift, {}, Edit{Edit::Kind::unknown});
            } else {
                postKeyPair(kKeyDelete, 0, {}, Edit{Edit::Kind::erase});
            }
            sleep(profile.delays.backspaceMicros);
        }
        if (!suffix.empty()) {
            sleep(profile.delays.waitMicros);
            if (profile.deliveryMode == InjectionDeliveryMode::paste) {
                pasteText(suffix);
            } else {
                postText(suffix);
            }
        }
    }
    // Written past the keys: what the window shows now is not followed.
    if (written) field_.forget();
    // The whole rewrite reaches the window in one piece.
    poster_.flush();
    displayedText_ = target;
    isInjecting_ = false;
}

void IMEEventBridge::postText(const std::u32string& text) {
    const auto& profile = state_.resolvedInjection.profile;
    if (profile.textMode == TextSendingMode::chunked) {
        postUnicodeEvent(text);
        return;
    }
    for (char32_t c : text) {
        postKeyPair(0, 0, utf16(std::u32string(1, c)), Edit{Edit::Kind::type, c});
        sleep(profile.delays.characterMicros);
    }
}

void IMEEventBridge::postUnicodeEvent(const std::u32string& text) {
    const auto units = utf16(text);
    if (units.empty()) return;
    // The poster types the characters one key each.
    for (char32_t c : text) field_.posted({Edit::Kind::type, c});
    postKeyPair(0, 0, units, std::nullopt);
}

// `edit`: what the key does to the field; none for text whose characters were noted already.
void IMEEventBridge::postKeyPair(int keyCode, std::uint64_t flags, const std::u16string& unicode,
                                 std::optional<FieldInFlight::Edit> edit) {
    if (edit) field_.posted(*edit);
    const auto target = state_.resolvedInjection.profile.useSessionPost || !tapPresent_
                            ? platform::PostTarget::session
                            : platform::PostTarget::afterTap;
    poster_.post({keyCode, true, flags, unicode, kMarker}, target);
    poster_.post({keyCode, false, flags, unicode, kMarker}, target);
}

void IMEEventBridge::pasteText(const std::u32string& text) {
    if (text.empty()) return;
    const auto previous = clipboard_.text();
    clipboard_.clear();
    clipboard_.setText(toUtf8(text));
    postKeyPair(kKeyV, modifier::command, {}, Edit{Edit::Kind::unknown});
    clipboard_.clear();
    if (previous) clipboard_.setText(*previous);
}

void IMEEventBridge::sleep(std::uint32_t micros) {
    if (micros != 0) poster_.sleepMicroseconds(micros);
}

}  // namespace zentrel::typing
