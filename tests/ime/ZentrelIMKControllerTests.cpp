#include "ime/ZentrelIMKController.hpp"

#include "FakeIMEClient.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zentrel::ime {
namespace {

using Key = IMEKeyEvent::Key;

IMEKeyEvent typing(std::string characters) {
    IMEKeyEvent event;
    event.characters = std::move(characters);
    return event;
}

IMEKeyEvent key(Key which) {
    IMEKeyEvent event;
    event.key = which;
    return event;
}

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() { snapshot.isEnabled = true; }

    // Types each character and returns whether every key was consumed.
    bool type(ZentrelIMKController& controller, std::string_view keys) {
        bool consumed = true;
        for (char32_t c : typing::toUtf32(keys)) {
            consumed = controller.handleEvent(typing(typing::toUtf8(std::u32string(1, c))), &client) && consumed;
        }
        return consumed;
    }

    typing::VietIMESharedSnapshot snapshot;
    platform::Signal<> settingsChanged;
    ZentrelIMKController controller{[this] { return snapshot; }, settingsChanged};
    testing::FakeIMEClient client;
};

TEST_F(ControllerTest, MarkedTextShowsTheWordUntilABreakerCommitsIt) {
    EXPECT_TRUE(type(controller, "vieetj"));
    EXPECT_EQ(client.text(), "");
    EXPECT_EQ(client.visible(), "việt");
    EXPECT_TRUE(type(controller, " "));
    EXPECT_EQ(client.text(), "việt ");
    EXPECT_TRUE(client.marked.empty());
    EXPECT_TRUE(type(controller, "hello, "));
    EXPECT_EQ(client.text(), "việt hello, ");
}

TEST_F(ControllerTest, SearchFieldsClientsWithoutMarkedTextAndTheDirectSettingGetDirectInsertion) {
    const std::vector<std::function<void()>> reasons = {
        [this] { client.identityValue = "com.apple.Spotlight"; },
        [this] { client.keepsMarked = false; },
        [this] { snapshot.useMarkedText = false; },
    };
    for (const auto& reason : reasons) {
        client = testing::FakeIMEClient();
        snapshot.useMarkedText = true;
        reason();
        EXPECT_TRUE(type(controller, "tieengs"));
        EXPECT_FALSE(controller.usesMarkedText());
        EXPECT_TRUE(client.marked.empty());
        EXPECT_EQ(client.text(), "tiếng");
        EXPECT_TRUE(type(controller, " nam "));
        EXPECT_EQ(client.text(), "tiếng nam ");
    }
}

TEST_F(ControllerTest, DirectInsertionRewritesOnlyWhatDiffersFromTheShownWord) {
    snapshot.useMarkedText = false;
    (void)type(controller, "vieetj");
    const std::vector<std::string> edits = {"+v", "+i", "+e", "-1", "+ê", "+t", "-2", "+ệt"};
    EXPECT_EQ(client.edits, edits);
    EXPECT_EQ(client.text(), "việt");
}

TEST_F(ControllerTest, AForgottenWordIsLeftToTheFrameworkAndTheNextKeyStartsAnother) {
    (void)type(controller, "vieetj");
    controller.forgetWord();
    EXPECT_TRUE(client.edits.empty()) << "the client may already be another field";
    EXPECT_TRUE(controller.composingText().empty());
    client = testing::FakeIMEClient();
    (void)type(controller, "as");
    EXPECT_EQ(client.visible(), "á");
}

TEST_F(ControllerTest, ReturnTabAndEnterCommitTheWordAndReachTheClientAfterIt) {
    // Handed on where the client takes keys that way, else back to the client unhandled.
    for (bool handsOn : {true, false}) {
        for (auto which : {Key::returnKey, Key::keypadEnter, Key::tab}) {
            client = testing::FakeIMEClient();
            client.takesKeysHandedOn = handsOn;
            (void)type(controller, "ddi");
            EXPECT_EQ(controller.handleEvent(key(which), &client), handsOn);
            // Also with nothing composed.
            (void)type(controller, " ");
            EXPECT_EQ(controller.handleEvent(key(which), &client), handsOn);
            const auto expected = handsOn ? std::vector<std::string>{"+đi", "key", "+ ", "key"}
                                          : std::vector<std::string>{"+đi", "+ "};
            EXPECT_EQ(client.edits, expected);
            EXPECT_TRUE(client.marked.empty());
        }
        for (const auto* breaker : {"\n", "\r", "\t"}) {
            client = testing::FakeIMEClient();
            client.takesKeysHandedOn = handsOn;
            EXPECT_TRUE(type(controller, "a"));
            EXPECT_EQ(type(controller, breaker), handsOn);
            EXPECT_EQ(client.edits.front(), "+a");
        }
    }
}

TEST_F(ControllerTest, OtherKeysThatLeaveTheWordCommitItAndPassThrough) {
    for (auto which : {Key::escape, Key::navigation, Key::function}) {
        (void)type(controller, "ddi");
        EXPECT_FALSE(controller.handleEvent(key(which), &client));
        EXPECT_TRUE(client.marked.empty());
    }
    EXPECT_EQ(client.text(), "điđiđi") << "the key itself is the client's to handle";

    auto shortcut = typing("c");
    shortcut.command = true;
    (void)type(controller, "ddaay");
    EXPECT_FALSE(controller.handleEvent(shortcut, &client));
    EXPECT_EQ(client.text(), "điđiđiđây");
    EXPECT_TRUE(controller.engine().wordOutput().empty());
}

TEST_F(ControllerTest, AnEscapedToneKeysWordIsWrittenAsTypedAtEveryEndOfTheWord) {
    auto shortcut = typing("s");
    shortcut.control = true;
    const std::vector<std::function<void()>> ends = {
        [&] { (void)controller.handleEvent(key(Key::returnKey), &client); },
        [&] { (void)controller.handleEvent(shortcut, &client); },
        // A focus change: the framework makes final what is shown.
        [&] {
            client.insertText(typing::toUtf8(client.marked));
            controller.forgetWord();
        },
    };
    for (bool marked : {true, false}) {
        snapshot.useMarkedText = marked;
        for (const auto& end : ends) {
            client = testing::FakeIMEClient();
            (void)type(controller, "glass");
            end();
            EXPECT_EQ(client.text(), "glass") << "marked text " << marked;
        }
    }
}

TEST_F(ControllerTest, DeleteWorksOnTheWordAndPassesWhenNothingIsComposed) {
    EXPECT_FALSE(controller.handleEvent(key(Key::deleteKey), &client));
    (void)type(controller, "vieets");
    EXPECT_TRUE(controller.handleEvent(key(Key::deleteKey), &client));
    EXPECT_EQ(client.visible(), "viế");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(controller.handleEvent(key(Key::deleteKey), &client));
    EXPECT_EQ(client.visible(), "");
    EXPECT_FALSE(controller.handleEvent(key(Key::deleteKey), &client));

    // Direct insertion: the Delete that empties the word goes to the client,
    // which removes the last character itself.
    client.identityValue = "com.raycast.macos";
    (void)type(controller, "ab");
    EXPECT_TRUE(controller.handleEvent(key(Key::deleteKey), &client));
    EXPECT_EQ(client.text(), "a");
    EXPECT_FALSE(controller.handleEvent(key(Key::deleteKey), &client));
    EXPECT_EQ(client.text(), "a");
}

TEST_F(ControllerTest, ARestoredWordIsCommittedBeforeTheSpace) {
    snapshot.options.instantRestoreInvalidSpelling = false;
    controller.reloadSettings();
    (void)type(controller, "use");
    EXPECT_EQ(client.visible(), "úe");
    EXPECT_TRUE(type(controller, " "));
    EXPECT_EQ(client.text(), "use ");

    (void)type(controller, "vieetj");
    auto restore = typing("a");
    restore.control = restore.option = true;
    EXPECT_TRUE(controller.handleEvent(restore, &client));
    EXPECT_EQ(client.visible(), "use vieetj");
}

TEST_F(ControllerTest, SettingsChangesReachEveryControllerForTheNextKey) {
    testing::FakeIMEClient other;
    ZentrelIMKController second{[this] { return snapshot; }, settingsChanged};
    snapshot.inputMethod = typing::VietInputMethod::vni;
    settingsChanged.emit();
    (void)type(controller, "vie65t ");
    EXPECT_EQ(client.text(), "việt ");
    EXPECT_EQ(second.engine().inputMethod, typing::VietInputMethod::vni);
}

TEST_F(ControllerTest, ControlShiftVEndsTheWordAndAsksToSwitchTypingForTheNamedProgram) {
    std::vector<std::string> toggled;
    ZentrelIMKController switching{[this] { return snapshot; }, settingsChanged,
                                   [&](const std::string& program) { toggled.push_back(program); }};
    auto chord = typing("V");
    chord.control = chord.shift = true;
    client.identityValue = "gedit";
    (void)type(switching, "vieetj");
    EXPECT_TRUE(switching.handleEvent(chord, &client));
    EXPECT_EQ(client.text(), "việt");
    // Also from an excluded program, to switch it back.
    snapshot.excludedApps = {"gedit"};
    EXPECT_TRUE(switching.handleEvent(chord, &client));
    EXPECT_EQ(toggled, (std::vector<std::string>{"gedit", "gedit"}));

    client.identityValue.reset();
    EXPECT_FALSE(switching.handleEvent(chord, &client)) << "an unnamed program gets the key";
    auto other = chord;
    other.option = true;
    client.identityValue = "gedit";
    EXPECT_FALSE(switching.handleEvent(other, &client));
    EXPECT_EQ(toggled.size(), 2u);
}

TEST_F(ControllerTest, KeysPassWhenTypingIsOffExcludedOrSecure) {
    (void)type(controller, "vieetj");
    snapshot.isEnabled = false;
    EXPECT_FALSE(type(controller, "a"));
    EXPECT_EQ(client.text(), "việt") << "turning typing off commits what is shown";
    EXPECT_TRUE(client.marked.empty());

    snapshot.isEnabled = true;
    snapshot.excludedApps = {"org.example.terminal"};
    client.identityValue = "org.example.terminal";
    EXPECT_FALSE(type(controller, "aa"));
    client.identityValue.reset();
    client.secure = true;
    EXPECT_FALSE(type(controller, "aa"));
    auto keyUp = typing("a");
    keyUp.type = IMEKeyEvent::Type::keyUp;
    client.secure = false;
    EXPECT_FALSE(controller.handleEvent(keyUp, &client));
    EXPECT_FALSE(controller.handleEvent(typing("a"), nullptr));
}

}  // namespace
}  // namespace zentrel::ime
