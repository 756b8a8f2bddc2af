#pragma once
// Sits between the system-wide event tap and the Vietnamese engine: feeds
// typed characters to its engine, keeps the word it last wrote into the
// foreground application, and rewrites that word in place with synthetic
// keys, a direct write of the field, or the clipboard, as the current
// injection profile says. Answers every event with pass or swallow. A key
// the window already received (a tap that only observes) counts as shown,
// so the rewrite starts from what is on screen; swallowing it then only
// means that nothing more is to be done. While more delivered keys wait
// behind a key, its fix waits too (the window already shows those keys),
// and the last of them rewrites everything since the first in one go. A
// delivered key that reached the window before a rewrite of ours still on
// its way (FieldInFlight) is taken as the window then shows it, so the next
// rewrite mends what the two made together.
//
// One lock guards everything and is held for the whole of each event,
// including the delays between synthetic events and the two callbacks, which
// must not take it themselves. The typing manager updates the settings under
// the same lock (`withLock`).

#include "platform/desktop/Clipboard.hpp"
#include "platform/input/KeyboardEvents.hpp"
#include "typing/engine/VietIMEEngine.hpp"
#include "typing/integration/FieldInFlight.hpp"
#include "typing/integration/FocusedTextWriter.hpp"
#include "typing/integration/ResolvedInjection.hpp"

#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace zentrel::typing {

class IMEEventBridge final {
public:
    enum class Verdict { pass, swallow };

    // "ZNTRIMED" as one big-endian 64-bit value, in the events we post.
    static constexpr std::int64_t kMarker = 0x5A4E5452494D4544;
    static constexpr char32_t kPrefixCharacter = U'\u202F';

    // What the typing manager sets, always under the lock.
    struct State {
        VietIMEEngine engine;
        bool isEnabled = false;
        VietIMEOptions options = VietIMEOptions::defaultOptions;
        std::set<std::string> excludedApps;
        std::optional<std::string> frontmostBundleID;
        ResolvedInjection resolvedInjection;
        std::function<void()> onToggleCurrentApp;
        std::function<void()> onContextMayHaveChanged;
    };

    IMEEventBridge(platform::KeyEventPoster& poster, platform::Clipboard& clipboard, FocusedTextWriter& writer);

    // `tapIsPresent` is false when the event came without a tap proxy.
    [[nodiscard]] Verdict handle(const platform::TapEvent& event, bool tapIsPresent = true);
    // Forgets the word and the tap.
    void resetComposition();
    // Runs `change` on the settings under the lock.
    void withLock(const std::function<void(State&)>& change);

    [[nodiscard]] std::string displayedText() const;

private:
    [[nodiscard]] bool shouldHandleFrontmostApp() const;
    Verdict handleUserEvent(const platform::TapEvent& event);
    Verdict handleKeyDown(const platform::TapEvent& event);
    Verdict handleFlagsChanged(const platform::TapEvent& event);
    void reset();
    // Writes the words finished while fixes waited and the engine's word
    // now, or leaves that to the last of the keys behind this one.
    void fixWord(bool later);
    void dropWaitingFix();
    // A delivered key of the user's as the window has it, rewrites of ours still on their way included.
    void followDeliveredKey(std::optional<char32_t> typed);
    void replaceDisplayedText(const std::string& target);
    void postText(const std::u32string& text);
    void postUnicodeEvent(const std::u32string& text);
    void postKeyPair(int keyCode, std::uint64_t flags, const std::u16string& unicode,
                     std::optional<FieldInFlight::Edit> edit);
    void pasteText(const std::u32string& text);
    void sleep(std::uint32_t micros);

    mutable std::mutex lock_;
    State state_;
    bool isInjecting_ = false;
    // What the window shows of the current word, and before it of the words
    // finished while their fixes waited.
    std::u32string displayedText_;
    std::u32string finishedWhileWaiting_;  // those words as they should read, breakers included
    bool fixWaiting_ = false;
    FieldInFlight field_;
    bool fieldFollowed_ = false;  // this event's key was followed in `field_`
    bool tapPresent_ = false;
    platform::KeyEventPoster& poster_;
    platform::Clipboard& clipboard_;
    FocusedTextWriter& writer_;
};

}  // namespace zentrel::typing
