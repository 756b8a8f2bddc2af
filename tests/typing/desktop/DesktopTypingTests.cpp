// Typing on a real X display (run through desktop_session.sh, which starts
// Xvfb, a private session bus and, for the input method, an IBus daemon, all
// with a temporary HOME): the key tap, the accessibility tree and the
// installed input method, each against a small Qt window.

#include "model/SharedEcosystemState.hpp"
#include "platform/accessibility/AtspiAccessibilityElements.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/desktop/SessionBus.hpp"
#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/desktop/SessionBusNotificationWatch.hpp"
#include "platform/input/SpareCodeMarks.hpp"
#include "platform/input/X11ActiveWindowWatch.hpp"
#include "platform/input/X11FrontmostApplication.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/processes/DetachedProcess.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"
#include "typing/engine/VietText.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/DesktopTypingBackends.hpp"
#include "typing/integration/VietIMEManager.hpp"
#include "typing/integration/ZentrelIMEInstaller.hpp"

#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/PermissionsDoubles.hpp"
#include "doubles/RecordingNotificationCenter.hpp"
#include "doubles/TempDir.hpp"
#include "ime/ibus/XTestInput.hpp"
#include "typing/desktop/TestWindowProcess.hpp"

#include <gtest/gtest.h>

#include <ibus.h>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::typing {
namespace {

using namespace std::chrono_literals;
namespace x11 = platform::x11;

const std::filesystem::path kWindowProgram = ZENTREL_TEST_WINDOW_PATH;
const std::filesystem::path kImeProgram = ZENTREL_IME_PATH;

bool accessibilityBusReachable() { return platform::SessionBus::fromEnvironment().canReach("org.a11y.Bus"); }

// Runs the loop until `done` or the limit (a guard against a hung test, not a timing).
bool runUntil(platform::MainLoop& loop, const std::function<bool()>& done, std::chrono::seconds limit = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto tick = loop.scheduleRepeating(20ms, [] {});
    loop.runUntil([&] { return done() || std::chrono::steady_clock::now() > deadline; });
    tick.cancel();
    return done();
}

class NotInstalled final : public platform::InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override { return false; }
    [[nodiscard]] bool isSelected() const override { return false; }
};

class DesktopTypingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "No X display: run through desktop_session.sh";
    }
    // Starts the window with the plain field focused.
    void openWindow(const std::vector<std::string>& environment = {}) {
        window = std::make_unique<testing::TestWindowProcess>(kWindowProgram, dir / "fields", environment);
        ASSERT_TRUE(window->waitFor("ready", 20s)) << "the test window did not become active";
    }
    std::string field(const std::string& name) const { return window->fields()[name]; }

    testing::TempDir dir;
    std::unique_ptr<testing::TestWindowProcess> window;
};

// The main app's typing as it runs on this desktop, with the tap path on.
struct TapTyping : testing::PermissionsDoubles {
    TapTyping() {
        trust.trusted = true;
        permissions = makePermissions();
        settle();
        manager = std::make_unique<VietIMEManager>(VietIMEManagerServices{
            prefs, ruleStore, bridge, desktop.accessibility, tap, inputMethod, *permissions, notifications, layout, loop, loop,
            appBecameActive, appActivated, {}, nullptr, ibusQueue});
        manager->loadSettings();
        manager->setEnabled(true);
    }

    platform::MainLoop loop;
    DesktopTypingBackends desktop{loop, accessibilityBusReachable};
    platform::KeyboardEventTap& tap = desktop.tap;
    platform::MemoryClipboard clipboard;
    IMEEventBridge bridge{desktop.poster, clipboard, desktop.accessibility};
    testing::TempDir home;
    platform::HostLayout layout = platform::HostLayout::forHome(home.path());
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    DefaultsInjectionRuleStore ruleStore{standard};
    platform::Signal<> appBecameActive;
    platform::Signal<> appActivated;
    NotInstalled inputMethod;
    platform::TaskPool ibusWorkers{1};
    platform::SerialExecutor ibusQueue{ibusWorkers};
    testing::RecordingNotificationCenter notifications;
    std::unique_ptr<services::PermissionsManager> permissions;
    std::unique_ptr<VietIMEManager> manager;
};

class TapTypingTest : public DesktopTypingTest {
protected:
    void SetUp() override {
        DesktopTypingTest::SetUp();
        if (IsSkipped()) return;
        if (const auto reason = x11::keyTapUnavailableReason()) GTEST_SKIP() << *reason;
        openWindow();
        typing = std::make_unique<TapTyping>();
        ASSERT_TRUE(typing->desktop.trust.isProcessTrusted(false));
        ASSERT_TRUE(typing->manager->isEnabled());
        ASSERT_TRUE(typing->tap.isInstalled());
    }
    // Types while the main loop runs, then waits for the field to read `expected`.
    void typeAndExpect(const std::function<void(testing::XTestInput&)>& keys, const std::string& name,
                       const std::string& expected) {
        std::atomic<bool> typed = false;
        std::thread person([&] {
            testing::XTestInput typist;
            keys(typist);
            typed = true;
        });
        runUntil(typing->loop, [&] { return typed && field(name) == expected; });
        person.join();
        EXPECT_EQ(field(name), expected);
    }

    std::unique_ptr<TapTyping> typing;
};

TEST_F(TapTypingTest, TelexAndVniBecomeVietnameseAndTheChordTurnsTypingOffForTheWindow) {
    // Every key of a foreign word reaches the window, marks included.
    typeAndExpect([](auto& typist) { typist.type("Tieengs Vieetj fo~x fo^x fo`x"); }, "plain",
                  "Tiếng Việt fo~x fo^x fo`x");

    ASSERT_TRUE(window->command("clear"));
    typing->manager->setInputMethod(VietInputMethod::vni);
    typeAndExpect([](auto& typist) { typist.type("Tie61ng Vie65t"); }, "plain", "Tiếng Việt");

    ASSERT_TRUE(window->command("clear"));
    typing->manager->setInputMethod(VietInputMethod::telex);
    ASSERT_TRUE(typing->manager->frontmostBundleID().has_value()) << "the window's program is known";
    typeAndExpect(
        [](auto& typist) {
            typist.pressWithControlShift("v");
            typist.type("Vieetj");
        },
        "plain", "Vieetj");
    EXPECT_EQ(typing->manager->excludedApps(), std::vector<std::string>{*typing->manager->frontmostBundleID()});
}

// A window manager names the window it activates on the root window; the
// manager reads the new window's context then, not at its next poll.
TEST_F(TapTypingTest, AWindowTheWindowManagerActivatesIsReadAtOnce) {
    int changes = 0;
    x11::X11ActiveWindowWatch watch([&] { typing->loop.post([&] { ++changes; }); });
    ASSERT_TRUE(watch.isListening());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window active = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&active), 1);
    XFlush(display);
    EXPECT_TRUE(runUntil(typing->loop, [&] { return changes > 0; }, 5s));
    XCloseDisplay(display);
}

TEST_F(TapTypingTest, KeysHeldAsAPersonHoldsThemComeOutEachOnce) {
    // A key is still down while its fix is typed, and at the faster pace
    // also when the next key goes down.
    struct Pace {
        std::chrono::microseconds gap;
        std::chrono::microseconds hold;
    };
    for (const Pace pace : {Pace{80ms, 60ms}, Pace{30ms, 60ms}}) {
        SCOPED_TRACE(pace.gap.count());
        ASSERT_TRUE(window->command("clear"));
        typeAndExpect([&](auto& typist) { typist.typeHeld("Google class dress glass boss case ", pace.gap, pace.hold); },
                      "plain", "Google class dress glass boss case ");
        ASSERT_TRUE(window->command("clear"));
        typeAndExpect([&](auto& typist) { typist.typeHeld("Tieengs Vieetj cos daaus ", pace.gap, pace.hold); },
                      "plain", "Tiếng Việt có dấu ");
    }
}

TEST_F(TapTypingTest, APasswordFieldReceivesTheKeysUnchanged) {
    if (!accessibilityBusReachable()) GTEST_SKIP() << "The accessibility bus cannot start here";
    ASSERT_TRUE(window->command("focus password"));
    const bool secure = runUntil(typing->loop, [&] { return typing->manager->lastCapturedContext().isSecureInput; });
    if (!secure) GTEST_SKIP() << "The window's accessibility tree does not show its password field";
    typeAndExpect([](auto& typist) { typist.type("Vieetj"); }, "password", "Vieetj");
    EXPECT_EQ(field("plain"), "");
}

TEST_F(DesktopTypingTest, TheAccessibilityTreeGivesTheFocusedFieldAndWritesItDirectly) {
    if (!accessibilityBusReachable()) GTEST_SKIP() << "The accessibility bus cannot start here";
    openWindow();
    x11::X11FrontmostApplication frontmost;
    platform::AtspiAccessibilityElements elements(true, [&] { return frontmost.current(); });
    const IMEContextDetector detector(elements);
    IMEContext context;
    platform::MainLoop loop;
    // The window registers with the accessibility bus shortly after it shows.
    runUntil(loop, [&] { return (context = detector.capture()).focusedRole.has_value(); }, 10s);
    if (!context.focusedRole) GTEST_SKIP() << "The window's accessibility tree did not appear";
    EXPECT_EQ(context.focusedRole, "AXTextField");
    EXPECT_EQ(context.focusedDescription, "Plain field");
    EXPECT_EQ(context.windowTitle, "Zentrel typing test");
    EXPECT_EQ(context.bundleIdentifier, "typing_test_window");
    EXPECT_FALSE(context.isSecureInput);

    AccessibilityTextWriter writer(elements);
    ASSERT_TRUE(writer.replaceFocusedValue("", "xin chào"));
    runUntil(loop, [&] { return field("plain") == "xin chào"; }, 5s);
    EXPECT_EQ(field("plain"), "xin chào");

    ASSERT_TRUE(window->command("focus password"));
    runUntil(loop, [&] { return detector.capture().isSecureInput; }, 5s);
    EXPECT_TRUE(detector.capture().isSecureInput);
    EXPECT_FALSE(writer.replaceFocusedValue("", "chào")) << "a password field is never written";
    EXPECT_EQ(field("password"), "");
}

// Calls `visit(code, symbols, perCode)` for every key code of the display's map.
template <typename Visit>
void forEachKeyCode(Display* display, Visit visit) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
    for (int code = first; code <= last; ++code) {
        visit(code, map + static_cast<std::ptrdiff_t>(code - first) * perCode, perCode);
    }
    XFree(map);
}

// Key codes of the display mapped to one cased letter at both levels: spare codes in use.
std::vector<int> spareCodesInUse(Display* display) {
    std::vector<int> codes;
    forEachKeyCode(display, [&](int code, const KeySym* symbols, int perCode) {
        KeySym lower = NoSymbol;
        KeySym upper = NoSymbol;
        XConvertCase(symbols[0], &lower, &upper);
        if (perCode >= 2 && symbols[0] != NoSymbol && symbols[0] == symbols[1] && lower != upper) codes.push_back(code);
    });
    return codes;
}

// Key codes of the display mapped to nothing, in order.
std::vector<int> emptyKeyCodes(Display* display) {
    std::vector<int> codes;
    forEachKeyCode(display, [&](int code, const KeySym* symbols, int perCode) {
        if (std::all_of(symbols, symbols + perCode, [](KeySym k) { return k == NoSymbol; })) codes.push_back(code);
    });
    return codes;
}

// The first level of each key code of the display, in order.
std::vector<KeySym> firstLevels(Display* display) {
    std::vector<KeySym> levels;
    forEachKeyCode(display, [&](int, const KeySym* symbols, int) { levels.push_back(symbols[0]); });
    return levels;
}

// The key code whose first level types `symbol`; 0 when none does.
int codeTyping(Display* display, KeySym symbol) {
    int found = 0;
    forEachKeyCode(display, [&](int code, const KeySym* symbols, int) {
        if (found == 0 && symbols[0] == symbol) found = code;
    });
    return found;
}

// Whether the root window holds a property of this name.
bool rootHasProperty(Display* display, const std::string& name) {
    const Atom atom = XInternAtom(display, name.c_str(), True);
    if (atom == None) return false;
    int count = 0;
    Atom* properties = XListProperties(display, DefaultRootWindow(display), &count);
    const bool found = std::find(properties, properties + count, atom) != properties + count;
    if (properties != nullptr) XFree(properties);
    return found;
}

// This test's user, host and login session, as a run of it marks them.
x11::RunIdentity thisSession() {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const char* session = std::getenv("XDG_SESSION_ID");
    return x11::runIdentity(static_cast<long>(getuid()), host, session != nullptr ? session : "");
}

// A connection of a run: its window stands in the marks it writes.
struct RunConnection {
    RunConnection() : display(XOpenDisplay(nullptr)) {
        XSetWindowAttributes attributes{};
        window = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, InputOnly, nullptr, 0, &attributes);
        XSync(display, False);
    }
    ~RunConnection() { close(); }
    RunConnection(const RunConnection&) = delete;
    RunConnection& operator=(const RunConnection&) = delete;
    // The run ends: the server destroys its window.
    void close() {
        if (display != nullptr) XCloseDisplay(display);
        display = nullptr;
    }
    Display* display;
    Window window = None;
};

// Writes the mark as its run would have, and maps its codes so; a mark of
// no writer as the older version wrote it, named after the pid alone.
std::string markAndMap(Display* display, const x11::SpareCodeMark& mark) {
    auto values = x11::encodeSpareCodeMark(mark);
    auto name = x11::spareCodeMarkName(mark.pid, mark.window);
    if (!mark.writer) {
        values = {mark.pid};
        for (const auto& m : mark.mappings)
            values.insert(values.end(), {static_cast<long>(m.code), static_cast<long>(m.withoutShift), static_cast<long>(m.withShift)});
        name = name.substr(0, name.rfind('_'));
    }
    XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, name.c_str(), False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
    for (const auto& m : mark.mappings) {
        KeySym levels[2] = {m.withoutShift, m.withShift};
        XChangeKeyboardMapping(display, static_cast<int>(m.code), 2, levels, 1);
    }
    XSync(display, False);
    return name;
}

constexpr KeySym kDotBelowA = 0x1001ea1;  // ạ
constexpr KeySym kHookO = 0x10001a1;      // ơ
constexpr KeySym kHookU = 0x10001b0;      // ư
constexpr KeySym kBreveA = 0x1000103;     // ă

TEST_F(DesktopTypingTest, SpareCodesAnEndedRunLeftMappedAreFreedAtTheNextStartWithTypingOff) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const auto empty = emptyKeyCodes(display);
    ASSERT_GE(empty.size(), 5U) << "the display has too few spare key codes";
    const auto code = [&](std::size_t i) { return static_cast<unsigned>(empty[empty.size() - 1 - i]); };
    // A pid that is free again.
    const pid_t killed = fork();
    if (killed == 0) _exit(0);
    ASSERT_GT(killed, 0);
    ASSERT_EQ(waitpid(killed, nullptr, 0), killed);
    const auto session = thisSession();
    // Connections are opened together: the server gives a closed one's ids to the next.
    RunConnection ended;
    RunConnection elsewhere;
    RunConnection forger;
    // A run of this session killed while it typed "ạ": its connection is gone.
    ended.close();
    const auto endedMark = markAndMap(display, {killed, ended.window, session, {{code(0), kDotBelowA, kDotBelowA}}});
    // A run in another process namespace: its pid means nothing here, its connection is open.
    const auto elsewhereMark = markAndMap(display, {killed, elsewhere.window, session, {{code(1), kHookO, kHookO}}});
    // Forged by another client: another session's mark, a mark of the older
    // version, and this session's naming the layout's own "a" and F1 keys as they are.
    const auto otherSession = x11::runIdentity(static_cast<long>(getuid()), "elsewhere", "other");
    const std::vector<std::string> forgedMarks = {
        markAndMap(display, {killed, forger.window + 1, otherSession, {{code(2), kHookU, kHookU}}}),
        markAndMap(display, {killed, 0, std::nullopt, {{code(3), kBreveA, kBreveA}}}),
    };
    const auto layoutKeysMark =
        markAndMap(display, {killed, forger.window + 2, session,
                             {{static_cast<unsigned>(XKeysymToKeycode(display, XK_a)), XK_a, XK_A},
                              {static_cast<unsigned>(XKeysymToKeycode(display, XK_F1)), XK_F1, XK_F1}}});
    // The same letter that a user mapped.
    KeySym own[2] = {kDotBelowA, kDotBelowA};
    XChangeKeyboardMapping(display, static_cast<int>(code(4)), 2, own, 1);
    XSync(display, False);
    auto before = firstLevels(display);

    platform::MainLoop loop;
    { DesktopTypingBackends started(loop, [] { return false; }); }  // typing stays off

    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    before[code(0) - static_cast<unsigned>(first)] = NoSymbol;
    EXPECT_EQ(firstLevels(display), before) << "only the ended run's code is freed";
    EXPECT_NE(codeTyping(display, XK_a), 0) << "the layout's keys stay";
    EXPECT_NE(codeTyping(display, XK_F1), 0);
    EXPECT_FALSE(rootHasProperty(display, layoutKeysMark)) << "an ended run's mark goes, its layout keys stay";
    EXPECT_FALSE(rootHasProperty(display, endedMark));
    EXPECT_TRUE(rootHasProperty(display, elsewhereMark));
    for (const auto& forged : forgedMarks) EXPECT_TRUE(rootHasProperty(display, forged)) << forged;
    XCloseDisplay(display);
}

TEST_F(DesktopTypingTest, TextGoesThroughTheKeyboardsOwnKeysAndSpareCodesAreMarkedWhileMapped) {
    openWindow();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const auto marks = [&] {
        std::vector<std::string> names;
        int count = 0;
        Atom* properties = XListProperties(display, DefaultRootWindow(display), &count);
        for (int i = 0; i < count; ++i) {
            char* name = XGetAtomName(display, properties[i]);
            if (x11::spareCodeMarkOwner(name) == getpid()) names.emplace_back(name);
            XFree(name);
        }
        if (properties != nullptr) XFree(properties);
        return names;
    };
    platform::MainLoop loop;
    {
        x11::X11SyntheticEchoes echoes;
        x11::X11KeyEventPoster poster(echoes);
        poster.post({0, true, 0, u"xin"}, platform::PostTarget::session);
        poster.flush();
        XSync(display, False);
        EXPECT_EQ(spareCodesInUse(display), std::vector<int>{}) << "letters the keyboard has use no spare code";
        poster.post({0, true, 0, u" chào"}, platform::PostTarget::session);
        poster.flush();
        // The poster does not wait for its change of the map.
        runUntil(loop, [&] { return !spareCodesInUse(display).empty(); }, 5s);
        EXPECT_EQ(spareCodesInUse(display).size(), 1U) << "only à needs a spare code";
        EXPECT_EQ(marks().size(), 1U);
        runUntil(loop, [&] { return field("plain") == "xin chào"; }, 5s);
        EXPECT_EQ(field("plain"), "xin chào");
    }
    XSync(display, False);
    EXPECT_TRUE(spareCodesInUse(display).empty()) << "the poster unmaps its codes when it goes";
    EXPECT_EQ(marks(), std::vector<std::string>{});
    XCloseDisplay(display);
}

TEST_F(TapTypingTest, LettersOnSpareCodesComeOutAgainAfterTheKeyboardMapIsReloaded) {
    if (std::system("command -v setxkbmap >/dev/null") != 0) GTEST_SKIP() << "setxkbmap is not installed";
    typeAndExpect([](auto& typist) { typist.type("Vieetj "); }, "plain", "Việt ");
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    constexpr KeySym kDotBelowCircumflexE = 0x1001ec7;  // ệ
    ASSERT_NE(codeTyping(display, kDotBelowCircumflexE), 0);
    // As a layout switch does, even to the same layout: every code is emptied.
    ASSERT_EQ(std::system("setxkbmap us"), 0);
    EXPECT_TRUE(runUntil(typing->loop, [&] { return codeTyping(display, kDotBelowCircumflexE) != 0; }, 10s))
        << "the tap maps its codes again";
    typeAndExpect([](auto& typist) { typist.type("Vieetj dduwowcj"); }, "plain", "Việt Việt được");
    XCloseDisplay(display);
}

TEST_F(DesktopTypingTest, ALetterComesOutAsWrittenWhateverTheModifiersAre) {
    openWindow();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    platform::MainLoop loop;
    x11::X11SyntheticEchoes echoes;
    x11::X11KeyEventPoster poster(echoes);
    poster.post({0, true, 0, u"n"}, platform::PostTarget::session);
    poster.flush();
    runUntil(loop, [&] { return field("plain") == "n"; }, 5s);
    // Shift goes on (locked) after the poster started: the N key now types N.
    XkbLockModifiers(display, XkbUseCoreKbd, ShiftMask, ShiftMask);
    XSync(display, False);
    poster.post({0, true, 0, u"nN"}, platform::PostTarget::session);
    poster.flush();
    runUntil(loop, [&] { return field("plain") == "nnN"; }, 5s);
    EXPECT_EQ(field("plain"), "nnN");
    XkbLockModifiers(display, XkbUseCoreKbd, ShiftMask, 0);
    XCloseDisplay(display);
}

// Changes of the key map since the last call, for a display that selected
// the keyboard extension's map notices (its event base `xkbEvents`).
int mapChanges(Display* display, int xkbEvents) {
    XSync(display, False);
    int changes = 0;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == xkbEvents && reinterpret_cast<XkbEvent&>(event).any.xkb_type == XkbMapNotify) ++changes;
    }
    return changes;
}

TEST_F(DesktopTypingTest, VietnameseLettersKeepTheirSpareCodesEachAloneAtBothLevels) {
    openWindow();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const std::size_t empty = emptyKeyCodes(display).size();
    if (empty == 0) GTEST_SKIP() << "the display has no spare key code";
    int xkbEvents = 0;
    ASSERT_TRUE(XkbQueryExtension(display, nullptr, &xkbEvents, nullptr, nullptr, nullptr));
    XkbSelectEvents(display, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);

    // Lower-case letters with tones (ạ ả ấ ...), one for each spare code.
    std::u16string letters;
    for (char16_t c = u'\u1EA1'; c <= u'\u1EF9' && letters.size() < empty; c += 2) letters.push_back(c);
    ASSERT_EQ(letters.size(), empty);
    const auto once = toUtf8(std::u32string(letters.begin(), letters.end()));
    platform::MainLoop loop;
    x11::X11SyntheticEchoes echoes;
    x11::X11KeyEventPoster poster(echoes);
    (void)mapChanges(display, xkbEvents);
    poster.post({0, true, 0, letters}, platform::PostTarget::session);
    poster.flush();
    runUntil(loop, [&] { return field("plain") == once; }, 10s);
    EXPECT_EQ(field("plain"), once);
    EXPECT_GT(mapChanges(display, xkbEvents), 0) << "the letters were mapped";
    EXPECT_EQ(spareCodesInUse(display).size(), empty) << "each code types its letter at both levels";

    // Every letter kept its place: typing them again changes no map.
    poster.post({0, true, 0, letters}, platform::PostTarget::session);
    poster.flush();
    runUntil(loop, [&] { return field("plain") == once + once; }, 10s);
    EXPECT_EQ(field("plain"), once + once);
    EXPECT_EQ(mapChanges(display, xkbEvents), 0);
    XCloseDisplay(display);
}

// Installs the engine from the build into the session's IBus and selects it.
void installAndSelectInputMethod(platform::MainLoop& loop) {
    const platform::IBusInputMethodStatus status;
    auto environment = ZentrelIMEInstaller::programEnvironment(platform::HostLayout::fromEnvironment(), status);
    environment.programFolder = kImeProgram.parent_path();
    ZentrelIMEInstaller installer(std::move(environment));
    const auto installed = installer.install();
    ASSERT_TRUE(std::holds_alternative<std::filesystem::path>(installed))
        << std::get<ZentrelIMEInstaller::InstallError>(installed).description();
    ASSERT_TRUE(runUntil(loop, [&] { return installer.isInstalled(); }, 30s)) << "IBus does not list the engine";
    installer.selectInputSource();
    ASSERT_TRUE(runUntil(loop, [&] { return installer.isSelected(); }, 10s));
}

TEST_F(DesktopTypingTest, TheInstalledInputMethodTypesIntoTheQtFieldButNotItsPasswordField) {
    if (std::getenv("IBUS_ADDRESS") == nullptr) GTEST_SKIP() << "No IBus daemon: run through desktop_session.sh ime";
    const auto layout = platform::HostLayout::fromEnvironment();
    testing::RecordingNotificationCenter notifications;
    ASSERT_TRUE(VietIMESharedSettings::save(
        VietIMESharedSettings::snapshot(true, VietInputMethod::telex, VietIMEOptions::defaultOptions, {}, true), layout,
        notifications));
    platform::MainLoop loop;
    installAndSelectInputMethod(loop);
    if (HasFatalFailure()) return;

    openWindow({"QT_IM_MODULE=ibus"});
    std::atomic<bool> typed = false;
    std::thread person([&] {
        testing::XTestInput typist;
        typist.type("Tieengs Vieetj ");
        typed = true;
    });
    runUntil(loop, [&] { return typed && field("plain") == "Tiếng Việt "; });
    person.join();
    EXPECT_EQ(field("plain"), "Tiếng Việt ");

    ASSERT_TRUE(window->command("focus password"));
    typed = false;
    std::thread again([&] {
        testing::XTestInput typist;
        typist.type("Vieetj ");
        typed = true;
    });
    runUntil(loop, [&] { return typed && field("password") == "Vieetj "; });
    again.join();
    EXPECT_EQ(field("password"), "Vieetj ") << "a password field receives the keys unchanged";
}

// The main app's typing through the input method as the window runs it: the
// snapshot where the engine reads it, announced on the session bus, and the
// engine's requests heard there.
struct InputMethodTyping : testing::PermissionsDoubles {
    InputMethodTyping() {
        permissions = makePermissions();
        settle();
        manager = std::make_unique<VietIMEManager>(VietIMEManagerServices{
            prefs, ruleStore, bridge, desktop.accessibility, desktop.tap, inputMethod, *permissions, notifications,
            layout, loop, loop, appBecameActive, appActivated, {}, nullptr, ibusQueue});
        requests = std::make_unique<platform::SessionBusNotificationWatch>(
            [this](const std::string& name) { manager->notificationReceived(name); });
        manager->loadSettings();
        manager->setIntegrationMode(VietIMEIntegrationMode::imkit);
        manager->setEnabled(true);
    }
    ~InputMethodTyping() { requests.reset(); }

    platform::MainLoop loop;
    DesktopTypingBackends desktop{loop, accessibilityBusReachable};
    platform::MemoryClipboard clipboard;
    IMEEventBridge bridge{desktop.poster, clipboard, desktop.accessibility};
    platform::HostLayout layout = platform::HostLayout::fromEnvironment();
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    DefaultsInjectionRuleStore ruleStore{standard};
    platform::Signal<> appBecameActive;
    platform::Signal<> appActivated;
    platform::IBusInputMethodStatus inputMethod;
    platform::TaskPool ibusWorkers{1};
    platform::SerialExecutor ibusQueue{ibusWorkers};
    platform::SessionBusNotificationCenter notifications = platform::SessionBusNotificationCenter::fromEnvironment();
    std::unique_ptr<services::PermissionsManager> permissions;
    std::unique_ptr<VietIMEManager> manager;
    std::unique_ptr<platform::SessionBusNotificationWatch> requests;
};

TEST_F(DesktopTypingTest, ControlShiftVSwitchesTypingForTheProgramOnTheInputMethodPathToo) {
    if (std::getenv("IBUS_ADDRESS") == nullptr) GTEST_SKIP() << "No IBus daemon: run through desktop_session.sh ime";
    InputMethodTyping typing;
    installAndSelectInputMethod(typing.loop);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(runUntil(typing.loop, [&] { return typing.manager->isEnabled(); }));
    openWindow({"QT_IM_MODULE=ibus"});
    const auto typeAndWait = [&](const std::function<void(testing::XTestInput&)>& keys, const std::function<bool()>& done) {
        std::atomic<bool> typed = false;
        std::thread person([&] {
            testing::XTestInput typist;
            keys(typist);
            typed = true;
        });
        runUntil(typing.loop, [&] { return typed && done(); });
        person.join();
    };
    const auto typeText = [](const char* text) { return [text](testing::XTestInput& typist) { typist.type(text); }; };
    const auto chord = [](testing::XTestInput& typist) { typist.pressWithControlShift("v"); };

    typeAndWait(typeText("Vieetj "), [&] { return field("plain") == "Việt "; });
    ASSERT_EQ(field("plain"), "Việt ");
    typeAndWait(chord, [&] { return !typing.manager->excludedApps().empty(); });
    ASSERT_EQ(typing.manager->excludedApps().size(), 1u) << "the window's program, as the card lists it";
    typeAndWait(typeText("Vieetj "), [&] { return field("plain") == "Việt Vieetj "; });
    EXPECT_EQ(field("plain"), "Việt Vieetj ") << "typing is off for the program";
    typeAndWait(chord, [&] { return typing.manager->excludedApps().empty(); });
    EXPECT_TRUE(typing.manager->excludedApps().empty());
    typeAndWait(typeText("ddaay "), [&] { return field("plain") == "Việt Vieetj đây "; });
    EXPECT_EQ(field("plain"), "Việt Vieetj đây ") << "and on again";
}

TEST_F(DesktopTypingTest, TheSessionsIBusKnowsOnlyItsOwnEnginesAndAnnouncesAnEngineChosenFromOutside) {
    if (std::getenv("IBUS_ADDRESS") == nullptr) GTEST_SKIP() << "No IBus daemon: run through desktop_session.sh ime";
    IBusBus* bus = ibus_bus_new();
    GList* engines = ibus_bus_list_engines(bus);
    EXPECT_EQ(g_list_length(engines), 0u) << "the machine's own engines reach the test's IBus";
    g_list_free_full(engines, g_object_unref);
    g_object_unref(bus);

    const platform::IBusInputMethodStatus status;
    EXPECT_TRUE(status.isRunning());
    auto environment = ZentrelIMEInstaller::programEnvironment(platform::HostLayout::fromEnvironment(), status);
    environment.programFolder = kImeProgram.parent_path();
    // The engine program registers itself with this daemon: the restart the installer asks for would end the
    // daemon at any point of the test, so it is left out.
    environment.launch = [](const std::vector<std::string>& command) {
        return command == std::vector<std::string>{"ibus", "restart"} || platform::launchDetached(command);
    };
    ZentrelIMEInstaller installer(std::move(environment));
    ASSERT_TRUE(std::holds_alternative<std::filesystem::path>(installer.install()));
    EXPECT_FALSE(status.isProvidedBySystem()) << "registered for this user, not from IBus's folder";
    platform::MainLoop loop;
    ASSERT_TRUE(runUntil(loop, [&] { return status.isInstalled(); }, 30s)) << "IBus does not list the engine";

    std::atomic<int> announced = 0;
    std::atomic<bool> listening = false;
    const auto watch = status.observeEngineChanges([&] { ++announced; }, [&] { listening = true; });
    ASSERT_TRUE(runUntil(loop, [&] { return listening.load(); }, 10s)) << "the watch did not subscribe";
    // As `ibus engine` from a terminal would.
    ASSERT_EQ(std::system("ibus engine com.torvane.zentrel.ime"), 0);
    EXPECT_TRUE(runUntil(loop, [&] { return announced > 0; }, 10s)) << "IBus's announcement did not arrive";
    EXPECT_TRUE(status.isSelected());
}

}  // namespace
}  // namespace zentrel::typing
