#include "typing/integration/IMEEventBridge.hpp"

#include "platform/MemoryClipboard.hpp"
#include "typing/engine/VietText.hpp"

#include <gtest/gtest.h>

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
    void sleepMicroseconds(std::uint32_t micros) override { sleeps.push_back(micros); }

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
    poster.events.clear();
    EXPECT_EQ(bridge.handle(keyDown(u'j')), Verdict::swallow);
    EXPECT_EQ(poster.downs(), (std::vector<std::string>{"key:51", "key:51", "ệ", "t"})) << "keep viê, erase two";
    for (const auto& event : poster.events) EXPECT_EQ(event.userData, IMEEventBridge::kMarker);

    poster.events.clear();
    EXPECT_EQ(bridge.handle(keyDown(u' ')), Verdict::pass);
    EXPECT_TRUE(poster.events.empty()) << "the word stays; the space reaches the application itself";
    EXPECT_EQ(bridge.displayedText(), "");
    EXPECT_EQ(bridge.handle(keyDown(u'a')), Verdict::swallow);
    EXPECT_EQ(poster.downs(), std::vector<std::string>{"a"}) << "a new word: nothing to erase";
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
    EXPECT_EQ(bridge.handle({TapEventType::flagsChanged, platform::modifier::shift, 56, {}, 0}), Verdict::pass);
    EXPECT_EQ(bridge.displayedText(), "") << "pressing shift ends the word";
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

}  // namespace
}  // namespace zentrel::typing
