// zentrel-ime with real GTK 3 and Qt 6 windows on a private X display, IBus
// daemon and session bus, with HOME in a temporary folder (end_to_end.sh
// sets all of that up before this program starts). Keys are typed through
// XTEST, so the applications' own IBus modules carry them.

#include "TestWindowProcess.hpp"
#include "XTestInput.hpp"

#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/input/InputMethodClients.hpp"
#include "platform/places/HostLayout.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"

#include <gtest/gtest.h>
#include <ibus.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEngineName = "com.torvane.zentrel.ime";

fs::path windowProgram(const char* variable) {
    const char* path = std::getenv(variable);
    return path != nullptr ? fs::path(path) : fs::path();
}

// The settings the engine reads, written where the private HOME keeps them.
void saveSnapshot(const typing::VietIMESharedSnapshot& snapshot) {
    auto notifications = platform::SessionBusNotificationCenter::fromEnvironment();
    ASSERT_TRUE(typing::VietIMESharedSettings::save(snapshot, platform::HostLayout::fromEnvironment(), notifications));
}

typing::VietIMESharedSnapshot typingOn() {
    typing::VietIMESharedSnapshot snapshot;
    snapshot.isEnabled = true;
    return snapshot;
}

// Refuses to run outside the private session end_to_end.sh makes.
bool isPrivateSession() {
    const char* scratch = std::getenv("ZENTREL_E2E_SCRATCH");
    const char* home = std::getenv("HOME");
    return scratch != nullptr && home != nullptr && std::string(home).starts_with(scratch);
}

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(isPrivateSession()) << "run through end_to_end.sh, which makes a private HOME, bus and display";
        ASSERT_TRUE(input.isAvailable()) << "no X display with XTEST";
        saveSnapshot(typingOn());
    }

    std::unique_ptr<TestWindowProcess> start(const char* variable, int x, int y) {
        auto started = std::make_unique<TestWindowProcess>(windowProgram(variable), x, y);
        EXPECT_TRUE(started->isReady()) << variable << " did not show its window:\n" << started->transcript();
        if (started->isReady()) useEngine(*started);
        return started;
    }

    // Focuses an entry of `on` the way a user does: the window, then a click.
    void focusEntry(TestWindowProcess& on, const std::string& name) {
        input.focus(on.window());
        input.click(on.entry(name).x, on.entry(name).y);
    }

    // Selects the engine and waits until it composes in the second entry,
    // which is left showing "â ". Each try waits for its own space to arrive,
    // so no key of the warm-up is still on its way when a test moves the focus.
    void useEngine(TestWindowProcess& on) {
        focusEntry(on, "second");
        IBusBus* bus = ibus_bus_new();
        bool composing = false;
        for (int attempt = 0; attempt < 40 && !composing; ++attempt) {
            (void)ibus_bus_set_global_engine(bus, kEngineName);
            const auto before = on.entry("second").texts.size();
            input.type("aa ");
            (void)on.waitUntil([&] {
                const auto& second = on.entry("second");
                return second.texts.size() > before && second.text().ends_with(" ");
            });
            composing = on.entry("second").text() == "â ";
            if (!composing) clearEntry(on, "second");
        }
        g_object_unref(bus);
        ASSERT_TRUE(composing) << "the engine never composed in " << on.programName() << ":\n" << on.transcript();
    }

    // Empties the focused entry as a user does: select all, then delete.
    void clearEntry(TestWindowProcess& on, const std::string& name) {
        input.pressWithControl("a");
        input.press("BackSpace");
        (void)on.waitUntil([&] { return on.entry(name).text().empty(); });
    }

    // Waits until `entry` of `on` shows `expected`, then a little longer for late changes.
    static ::testing::AssertionResult shows(TestWindowProcess& on, const std::string& entry, const std::string& expected) {
        (void)on.waitUntil([&] { return on.entry(entry).text() == expected; });
        on.settle();
        if (on.entry(entry).text() == expected) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << entry << " of " << on.programName() << " shows \""
                                             << on.entry(entry).text() << "\", not \"" << expected << "\"\n"
                                             << on.transcript();
    }

    XTestInput input;
};

// The same behaviour in a GTK and a Qt window.
class DesktopClientTest : public DesktopTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (std::getenv(GetParam()) == nullptr) GTEST_SKIP() << GetParam() << " is not built here";
        if (!HasFatalFailure()) window = start(GetParam(), 0, 0);
    }

    std::unique_ptr<TestWindowProcess> window;
};

TEST_P(DesktopClientTest, TypedSentencesArriveExactly) {
    focusEntry(*window, "first");
    input.type("Tieengs Vieetj ddepj, nhaats! ");
    EXPECT_TRUE(shows(*window, "first", "Tiếng Việt đẹp, nhất! "));
}

TEST_P(DesktopClientTest, FocusMovedMidWordLeavesTheWordWhereItWasTyped) {
    focusEntry(*window, "first");
    input.type("xin Vieetj");
    ASSERT_TRUE(window->waitUntil([&] { return window->entry("first").shown() == "xin Việt"; })) << window->transcript();
    focusEntry(*window, "second");
    input.type("nam ");
    EXPECT_TRUE(shows(*window, "first", "xin Việt"));
    const auto& states = window->entry("first").texts;
    EXPECT_EQ(std::count(states.begin(), states.end(), "xin Việt"), 1) << "written once\n" << window->transcript();
    EXPECT_TRUE(shows(*window, "second", "â nam "));
}

TEST_P(DesktopClientTest, BackspaceInsideAWordKeepsTypingFromTheShorterWord) {
    focusEntry(*window, "first");
    input.type("ddepj");
    input.press("BackSpace");
    input.type("p Vieetk");
    input.press("BackSpace");
    input.type("j ");
    EXPECT_TRUE(shows(*window, "first", "đẹp Việt ")) << window->transcript();
}

TEST_P(DesktopClientTest, DirectModeRewritesOnlyWhatDiffers) {
    auto snapshot = typingOn();
    snapshot.useMarkedText = false;
    saveSnapshot(snapshot);
    focusEntry(*window, "first");
    input.type("vieetj ");
    ASSERT_TRUE(shows(*window, "first", "việt "));
    // One change per letter; a mark or tone replaces only the letters after the common prefix.
    const std::vector<std::string> expected = {"v", "vi", "vie", "vi", "viê", "viêt", "vi", "việt", "việt "};
    EXPECT_EQ(window->entry("first").texts, expected) << window->transcript();
}

// Return and Tab end the word and reach the field as keys the field handles
// itself, after the word. Each step waits for the last, as a person sees it.
TEST_P(DesktopClientTest, ReturnSubmitsAnEntryAndReturnAndTabReachATextView) {
    focusEntry(*window, "first");
    input.type("Vieetj");
    input.press("Return");
    EXPECT_TRUE(shows(*window, "submitted", "Việt"));
    focusEntry(*window, "notes");
    const std::vector<std::pair<const char*, std::string>> steps = {
        {"ddepj", "đẹp"}, {"Return", "đẹp⏎"}, {"nam", "đẹp⏎nam"}, {"Tab", "đẹp⏎nam⇥"}, {"ba ", "đẹp⏎nam⇥ba "},
        {"Return", "đẹp⏎nam⇥ba ⏎"}};
    for (const auto& [keys, expected] : steps) {
        const std::string name = keys;
        if (name == "Return" || name == "Tab") {
            input.press(keys);
            ASSERT_TRUE(shows(*window, "notes", expected)) << "after " << name;
        } else {
            input.type(keys);
            ASSERT_TRUE(window->waitUntil([&] { return window->entry("notes").shown() == expected; }))
                << "after " << name << "\n" << window->transcript();
        }
    }
}

// GTK names the program behind its fields; a Qt window is named from its process.
TEST_P(DesktopClientTest, ExcludedProgramReceivesRawKeys) {
    auto snapshot = typingOn();
    snapshot.excludedApps = {window->programName()};
    saveSnapshot(snapshot);
    focusEntry(*window, "first");
    input.type("vieetj ");
    EXPECT_TRUE(shows(*window, "first", "vieetj "));
}

INSTANTIATE_TEST_SUITE_P(Toolkits, DesktopClientTest,
                         ::testing::Values("ZENTREL_GTK_WINDOW", "ZENTREL_GTK4_WINDOW", "ZENTREL_QT_WINDOW"),
                         [](const auto& info) {
                             const std::string variable = info.param;
                             if (variable == "ZENTREL_GTK_WINDOW") return "Gtk";
                             return variable == "ZENTREL_GTK4_WINDOW" ? "Gtk4" : "Qt";
                         });

// xterm reaches IBus through XIM, where the key after a word once overtook the word's commit.
TEST_F(DesktopTest, ReturnInXtermFollowsTheWordItEnds) {
    if (std::getenv("ZENTREL_TERMINAL_WINDOW") == nullptr) GTEST_SKIP() << "xterm is not installed here";
    const auto terminal = start("ZENTREL_TERMINAL_WINDOW", 0, 0);
    ASSERT_TRUE(terminal->isReady());
    input.type("Vieetj");
    input.press("Return");
    EXPECT_TRUE(shows(*terminal, "first", "â Việt⏎"));
}

// GTK 4 hands every key to IBus and back before its field sees it, so the key tap leaves it alone; GTK 3 and Qt not.
TEST_F(DesktopTest, OnlyGtk4IsTakenAsReadingItsKeysThroughIBus) {
    if (std::getenv("ZENTREL_GTK4_WINDOW") == nullptr) GTEST_SKIP() << "the GTK 4 window is not built here";
    for (const auto* variable : {"ZENTREL_GTK_WINDOW", "ZENTREL_GTK4_WINDOW", "ZENTREL_QT_WINDOW"}) {
        const auto window = start(variable, 0, 0);
        ASSERT_TRUE(window->isReady());
        EXPECT_EQ(platform::processReadsKeysThroughIBus(window->pid()), std::string(variable) == "ZENTREL_GTK4_WINDOW")
            << variable;
    }
}

TEST_F(DesktopTest, FocusMovedToAnotherProgramMidWordLeavesTheWordWhereItWasTyped) {
    auto gtk = start("ZENTREL_GTK_WINDOW", 0, 0);
    auto qt = start("ZENTREL_QT_WINDOW", 0, 300);
    for (auto [from, to] : {std::pair(gtk.get(), qt.get()), std::pair(qt.get(), gtk.get())}) {
        focusEntry(*from, "second");
        input.type("ddepj");
        ASSERT_TRUE(from->waitUntil([&] { return from->entry("second").shown() == "â đẹp"; })) << from->transcript();
        focusEntry(*to, "first");
        input.type("xinh ");
        EXPECT_TRUE(shows(*to, "first", "xinh ")) << "from " << from->programName();
        EXPECT_TRUE(shows(*from, "second", "â đẹp")) << "to " << to->programName();
    }
}

}  // namespace
}  // namespace zentrel::testing
