#include "typing/integration/IMEEventBridge.hpp"

#include "platform/desktop/MemoryClipboard.hpp"
#include "typing/engine/VietText.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace zentrel::typing {
namespace {

using platform::TapEvent;
using platform::TapEventType;
using Verdict = IMEEventBridge::Verdict;

class RecordingPoster final : public platform::KeyEventPoster {
public:
    void post(const platform::SyntheticKeyEvent& event, platform::PostTarget target) override {
        events.push_back(event);
        targets.push_back(target);
    }
    void flush() override { flushedAfter.push_back(events.size()); }
    void sleepMicroseconds(std::uint32_t micros) override { sleeps.push_back(micros); }
    void clear() {
        events.clear();
        flushedAfter.clear();
    }

    // Key-down events only, as "key:<code>" or the text they type.
    std::vector<std::string> downs() const {
        std::vector<std::string> out;
        for (const auto& event : events) {
            if (!event.keyDown) continue;
            std::u32string text(event.unicode.begin(), event.unicode.end());
            out.push_back(event.unicode.empty() ? "key:" + std::to_string(event.keyCode) : toUtf8(text));
        }
        return out;
    }

    std::vector<platform::SyntheticKeyEvent> events;
    std::vector<platform::PostTarget> targets;
    std::vector<std::uint32_t> sleeps;
    std::vector<std::size_t> flushedAfter;  // how many events had been posted at each flush
};

class AcceptingWriter final : public FocusedTextWriter {
public:
    bool replaceFocusedValue(const std::string& displayed, const std::string& target) override {
        writes.emplace_back(displayed, target);
        return accept;
    }
    bool accept = true;
    std::vector<std::pair<std::string, std::string>> writes;
};

TapEvent keyDown(char16_t c, int keyCode = 0, std::uint64_t flags = 0) {
    return {TapEventType::keyDown, flags, keyCode, std::u16string(1, c), 0};
}

class IMEEventBridgeTest : public ::testing::Test {
protected:
    IMEEventBridgeTest() {
        bridge.withLock([](IMEEventBridge::State& state) { state.isEnabled = true; });
    }
    std::vector<Verdict> type(std::u16string_view keys) {
        std::vector<Verdict> verdicts;
        for (char16_t c : keys) verdicts.push_back(bridge.handle(keyDown(c)));
        return verdicts;
    }
    void useProfile(const InjectionProfile& profile) {
        bridge.withLock([&](IMEEventBridge::State& state) { state.resolvedInjection.profile = profile; });
    }

    RecordingPoster poster;
    platform::MemoryClipboard clipboard;
    AcceptingWriter writer;
    IMEEventBridge bridge{poster, clipboard, writer};
};

TEST_F(IMEEventBridgeTest, RewritesOnlyWhatChangedAndLetsTheBreakerThrough) {
    (void)type(u"vieet");
    EXPECT_EQ(bridge.displayedText(), "viêt");
    poster.clear();
    EXPECT_EQ(bridge.handle(keyDown(u'j')), Verdict::swallow);
    EXPECT_EQ(poster.downs(), (std::vector<std::string>{"key:51", "key:51", "ệ", "t"})) << "keep viê, erase two";
    for (const auto& event : poster.events) EXPECT_EQ(event.userData, IMEEventBridge::kMarker);
    EXPECT_EQ(poster.flushedAfter, std::vector<std::size_t>{poster.events.size()}) << "sent in one piece";

    poster.events.clear();
    EXPECT_EQ(bridge.handle(keyDown(u' ')), Verdict::pass);
    EXPECT_TRUE(poster.events.empty()) << "the word stays; the space reaches the application itself";
    EXPECT_EQ(bridge.displayedText(), "");
    EXPECT_EQ(bridge.handle(keyDown(u'a')), Verdict::swallow);
    EXPECT_EQ(poster.downs(), std::vector<std::string>{"a"}) << "a new word: nothing to erase";
}

TEST_F(IMEEventBridgeTest, AFixWaitingWhenTypingStopsForTheWindowIsNeverWritten) {
    const auto delivered = [](char16_t c, bool more) {
        auto event = keyDown(c);
        event.alreadyDelivered = true;
        event.followedByMoreEvents = more;
        return event;
    };
    for (char16_t c : std::u16string_view(u"vieet")) (void)bridge.handle(delivered(c, false));
    poster.clear();
    (void)bridge.handle(delivered(u'j', true));
    EXPECT_TRUE(poster.events.empty()) << "the fix waits for the key behind it";
    bridge.withLock([](IMEEventBridge::State& state) {
        state.frontmostBundleID = "notes";
        state.excludedApps = {"notes"};
    });
    EXPECT_EQ(bridge.handle(delivered(u' ', false)), Verdict::pass);
    bridge.withLock([](IMEEventBridge::State& state) { state.excludedApps.clear(); });
    (void)bridge.handle(delivered(u'a', false));
    EXPECT_TRUE(poster.events.empty()) << "nothing of the dropped fix is written later";
}

TEST_F(IMEEventBridgeTest, ARestoredWordIsRewrittenBeforeTheSpacePasses) {
    bridge.withLock([](IMEEventBridge::State& state) { state.engine.options.instantRestoreInvalidSpelling = false; });
    (void)type(u"use");
    EXPECT_EQ(bridge.displayedText(), "úe");
    poster.events.clear();
    EXPECT_EQ(bridge.handle(keyDown(u' ')), Verdict::pass);
    EXPECT_EQ(poster.downs(), (std::vector<std::string>{"key:51", "key:51", "u", "s", "e"}));
}

TEST_F(IMEEventBridgeTest, KeysThatEndTheWordPassAndReset) {
    EXPECT_EQ(bridge.handle(keyDown(u'\x7f', 51)), Verdict::pass) << "Delete with nothing shown";
    (void)type(u"aa");
    EXPECT_EQ(bridge.handle(keyDown(u'\x7f', 51)), Verdict::swallow);
    EXPECT_EQ(bridge.displayedText(), "");
    (void)type(u"aa");
    EXPECT_EQ(bridge.handle({TapEventType::flagsChanged, platform::modifier::control, 59, {}, 0}), Verdict::pass);
    EXPECT_EQ(bridge.displayedText(), "") << "pressing control ends the word";
    (void)type(u"aa");
    for (const int caseKey : {56, 60, 57}) {
        EXPECT_EQ(bridge.handle({TapEventType::flagsChanged, platform::modifier::shift, caseKey, {}, 0}), Verdict::pass);
        EXPECT_EQ(bridge.handle({TapEventType::flagsChanged, 0, caseKey, {}, 0}), Verdict::pass);
    }
    EXPECT_EQ(bridge.displayedText(), "â") << "Shift and Caps Lock keep the word";
    bridge.resetComposition();
    (void)type(u"aa");
    EXPECT_EQ(bridge.handle(keyDown(u'c', 8, platform::modifier::command)), Verdict::pass);
    EXPECT_EQ(bridge.displayedText(), "");
    (void)type(u"aa");
    EXPECT_EQ(bridge.handle(keyDown(0, 123)), Verdict::pass);
    EXPECT_EQ(bridge.displayedText(), "");
    int clicks = 0;
    bridge.withLock([&](IMEEventBridge::State& state) { state.onContextMayHaveChanged = [&] { ++clicks; }; });
    EXPECT_EQ(bridge.handle({TapEventType::leftMouseDown, 0, 0, {}, 0}), Verdict::pass);
    EXPECT_EQ(clicks, 1);
    TapEvent own = keyDown(u'a');
    own.userData = IMEEventBridge::kMarker;
    EXPECT_EQ(bridge.handle(own), Verdict::pass) << "our own events pass";
}

TEST_F(IMEEventBridgeTest, TheToggleChordWorksEvenInExcludedAppsAndDisabledProfilesPassEverything) {
    int toggles = 0;
    bridge.withLock([&](IMEEventBridge::State& state) {
        state.onToggleCurrentApp = [&] { ++toggles; };
        state.excludedApps = {"com.example.term"};
        state.frontmostBundleID = "com.example.term";
    });
    EXPECT_EQ(type(u"aa"), (std::vector<Verdict>{Verdict::pass, Verdict::pass}));
    EXPECT_EQ(bridge.handle(keyDown(u'v', 9, platform::modifier::control | platform::modifier::shift)),
              Verdict::swallow);
    EXPECT_EQ(toggles, 1);

    bridge.withLock([](IMEEventBridge::State& state) { state.frontmostBundleID.reset(); });
    useProfile(InjectionProfile::passthrough);
    EXPECT_EQ(type(u"vieetj"), std::vector<Verdict>(6, Verdict::pass));
    EXPECT_TRUE(poster.events.empty());
}

TEST_F(IMEEventBridgeTest, ProfilesChooseHowTheWordIsWritten) {
    auto prefixed = InjectionProfile::webEditor;
    useProfile(prefixed);
    (void)type(u"vieetj");
    poster.events.clear();
    poster.sleeps.clear();
    (void)type(u"z");  // the tone goes: viêt
    EXPECT_EQ(poster.downs(), (std::vector<std::string>{"\u202F", "key:51", "key:51", "ê", "t"}));
    EXPECT_EQ(poster.sleeps, (std::vector<std::uint32_t>{10000, 5000, 5000, 10000, 8000, 8000}));

    bridge.resetComposition();
    auto selection = InjectionProfile::defaultProfile;
    selection.deliveryMode = InjectionDeliveryMode::selection;
    useProfile(selection);
    (void)type(u"aa");
    EXPECT_EQ(poster.events[poster.events.size() - 4].flags, platform::modifier::shift);
    EXPECT_EQ(poster.downs().back(), "â");

    bridge.resetComposition();
    auto paste = InjectionProfile::defaultProfile;
    paste.deliveryMode = InjectionDeliveryMode::paste;
    useProfile(paste);
    clipboard.setText("mine");
    poster.events.clear();
    (void)type(u"a");
    EXPECT_EQ(poster.downs(), std::vector<std::string>{"key:9"});
    EXPECT_EQ(poster.events[0].flags, platform::modifier::command);
    EXPECT_EQ(clipboard.text(), "mine") << "the clipboard is given back";

    bridge.resetComposition();
    auto direct = InjectionProfile::defaultProfile;
    direct.deliveryMode = InjectionDeliveryMode::axDirect;
    direct.useSessionPost = true;
    useProfile(direct);
    poster.events.clear();
    (void)type(u"aa");
    EXPECT_TRUE(poster.events.empty()) << "the field was written directly";
    EXPECT_EQ(writer.writes.back(), (std::pair<std::string, std::string>{"a", "â"}));
    writer.accept = false;
    (void)type(u"s");
    EXPECT_EQ(poster.downs(), (std::vector<std::string>{"key:51", "ấ"})) << "a refused write falls back to keys";
    EXPECT_EQ(poster.targets.back(), platform::PostTarget::session);
    EXPECT_EQ(poster.targets.front(), platform::PostTarget::afterTap);
}

// The focused window's text: keys that reach it and the bridge's own events.
// With a stream, each key of ours that changes the text is reported there
// as arrived, as a tap that only observes reports it.
class ScreenPoster final : public platform::KeyEventPoster {
public:
    void post(const platform::SyntheticKeyEvent& event, platform::PostTarget) override {
        if (!event.keyDown) return;
        const std::size_t keys = event.keyCode == 51 ? 1 : event.unicode.size();
        if (event.keyCode == 51) {
            if (!screen.empty()) screen.pop_back();
        } else {
            screen.append(event.unicode.begin(), event.unicode.end());
        }
        for (std::size_t i = 0; stream != nullptr && i < keys; ++i) {
            stream->push_back(TapEvent{TapEventType::postedKeyArrived});
        }
    }
    void sleepMicroseconds(std::uint32_t) override {}
    std::u32string screen;
    std::deque<TapEvent>* stream = nullptr;
};

struct TypedCase {
    VietInputMethod method;
    std::u16string keys;  // \b is Delete; capitals are typed with shift
    std::string shown;
};

// Each event a keyboard makes for `keys` (shift pressed around capitals)
// with what it does to the text: a character, \b, or nothing.
std::vector<std::pair<TapEvent, char32_t>> keyboardEvents(std::u16string_view keys) {
    std::vector<std::pair<TapEvent, char32_t>> events;
    for (char16_t c : keys) {
        if (c == u'\b') {
            events.emplace_back(keyDown(0x7f, 51), U'\b');
            continue;
        }
        const bool capital = c >= u'A' && c <= u'Z';
        if (capital) events.emplace_back(TapEvent{TapEventType::flagsChanged, platform::modifier::shift, 56, {}, 0}, 0);
        events.emplace_back(keyDown(c, 0, capital ? platform::modifier::shift : 0), c);
        if (capital) events.emplace_back(TapEvent{TapEventType::flagsChanged, 0, 56, {}, 0}, 0);
    }
    return events;
}

void showOn(std::u32string& screen, char32_t shows) {
    if (shows == U'\b' && !screen.empty()) screen.pop_back();
    if (shows != 0 && shows != U'\b') screen.push_back(shows);
}

// A window whose text the bridge types into.
struct TypingWindow {
    explicit TypingWindow(VietInputMethod method) {
        bridge.withLock([method](IMEEventBridge::State& state) {
            state.isEnabled = true;
            state.engine.inputMethod = method;
        });
    }
    ScreenPoster screen;
    platform::MemoryClipboard clipboard;
    NoFocusedTextWriter writer;
    IMEEventBridge bridge{screen, clipboard, writer};
};

// Types like a keyboard does (shift pressed around capitals). With `batch`
// 0 the bridge sees each key first and swallows or passes it; otherwise the
// window receives `batch` events at a time before the bridge sees the first
// of them (1: a tap that only observes; more: a tap running late).
std::string typeOnScreen(const TypedCase& typed, std::size_t batch) {
    TypingWindow window(typed.method);
    auto& bridge = window.bridge;
    const auto events = keyboardEvents(typed.keys);
    const auto show = [&](char32_t shows) { showOn(window.screen.screen, shows); };
    const std::size_t step = std::max<std::size_t>(batch, 1);
    for (std::size_t first = 0; first < events.size(); first += step) {
        const std::size_t end = std::min(first + step, events.size());
        if (batch > 0) {
            for (std::size_t i = first; i < end; ++i) show(events[i].second);
        }
        for (std::size_t i = first; i < end; ++i) {
            auto event = events[i].first;
            event.alreadyDelivered = batch > 0;
            event.followedByMoreEvents = i + 1 < end;
            if (bridge.handle(event) == Verdict::pass && batch == 0) show(events[i].second);
        }
    }
    return toUtf8(window.screen.screen);
}

TEST(IMEEventBridgeScreenTest, TheWindowShowsTheSameTextWhetherKeysAreSwallowedDeliveredOrFixedLate) {
    const std::vector<TypedCase> cases = {
        {VietInputMethod::telex, u"Tieengs Vieetj ", "Tiếng Việt "},
        {VietInputMethod::vni, u"Tie61ng Vie65t ", "Tiếng Việt "},
        {VietInputMethod::viqr, u"Tie^'ng Vie^.t ", "Tiếng Việt "},
        {VietInputMethod::telex, u"chaof\b ", "chà "},
        {VietInputMethod::telex, u"vieetj\bt ", "việt "},
        {VietInputMethod::telex, u"use ", "use "},  // restored as typed at the break
        // An escaped tone key's keys stand as typed before any end of the word, the end of input too.
        {VietInputMethod::telex, u"class glass dress boss", "class glass dress boss"},
        {VietInputMethod::telex, u"giaacs mow nhes ", "giấc mơ nhé "},
        // Shift pressed and released inside a word keeps it.
        {VietInputMethod::telex, u"Ddaats Quas Giaf Gioongs ", "Đất Quá Già Giống "},
        {VietInputMethod::vni, u"D9a61t ", "Đất "},
        // Every key of a foreign word reaches the window.
        {VietInputMethod::telex, u"fo~x fo^x fo`x ", "fo~x fo^x fo`x "},
        {VietInputMethod::vni, u"fo~x fo^x fo`x ", "fo~x fo^x fo`x "},
        {VietInputMethod::viqr, u"fo~x fo^x fo`x ", "fo~x fo^x fo`x "},
    };
    for (const auto& typed : cases) {
        const auto keys = toUtf8(std::u32string(typed.keys.begin(), typed.keys.end()));
        EXPECT_EQ(typeOnScreen(typed, 0), typed.shown) << keys << " swallowed";
        // Several keys reach the window before the bridge sees the first.
        for (std::size_t batch : {1, 2, 3, 5}) {
            EXPECT_EQ(typeOnScreen(typed, batch), typed.shown) << keys << " delivered " << batch << " at a time";
        }
    }
}

// The tap reports each key after the window has it, and `lag` more keys of
// the user's reach the window before the bridge sees the first: each rewrite
// lands behind them. The tap reports our keys' arrivals among the user's in
// the window's order.
std::string typeAheadOfFixes(const TypedCase& typed, std::size_t lag) {
    TypingWindow window(typed.method);
    auto& screen = window.screen;
    std::deque<TapEvent> stream{TapEvent{TapEventType::postedKeyArrived}};
    screen.stream = &stream;
    std::size_t userEventsWaiting = 0;
    const auto handleFront = [&] {
        auto event = stream.front();
        stream.pop_front();
        if (event.type != TapEventType::postedKeyArrived) --userEventsWaiting;
        event.alreadyDelivered = event.type != TapEventType::postedKeyArrived;
        (void)window.bridge.handle(event);
    };
    for (const auto& [event, shows] : keyboardEvents(typed.keys)) {
        showOn(screen.screen, shows);
        stream.push_back(event);
        ++userEventsWaiting;
        while (userEventsWaiting > lag) handleFront();
    }
    while (!stream.empty()) handleFront();
    return toUtf8(screen.screen);
}

TEST(IMEEventBridgeScreenTest, KeysThatReachTheWindowBeforeARewriteAreMendedByTheNext) {
    const std::vector<TypedCase> cases = {
        {VietInputMethod::telex, u"Hocj sinh ddeens truwowngf hocj ", "Học sinh đến trường học "},
        {VietInputMethod::telex, u"Haf Nooij cos daaus ", "Hà Nội có dấu "},
        {VietInputMethod::telex, u"Ddaats nuwowcs Vieetj Nam raats ddepj ", "Đất nước Việt Nam rất đẹp "},
        {VietInputMethod::telex, u"Gioongs nhuw mootj giaacs mow ", "Giống như một giấc mơ "},
        {VietInputMethod::telex, u"vieetj\bt chaof\b ", "việt chà "},
        {VietInputMethod::vni, u"Tie61ng Vie65t ", "Tiếng Việt "},
    };
    for (const auto& typed : cases) {
        const auto keys = toUtf8(std::u32string(typed.keys.begin(), typed.keys.end()));
        for (std::size_t lag : {1, 2, 3}) {
            EXPECT_EQ(typeAheadOfFixes(typed, lag), typed.shown) << keys << ", " << lag << " keys ahead of each rewrite";
        }
    }
}

}  // namespace
}  // namespace zentrel::typing
