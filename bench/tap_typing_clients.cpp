// Vietnamese typing into real windows on the display in $DISPLAY, through
// the key tap (the X11 tap, the typing bridge and the XTEST poster as the
// main app runs them) or through the input method the desktop's IBus runs
// (ZENTREL_TYPING_PATH "tap" or "input-method"), or through neither ("none":
// what the client makes of the keys on its own). The clients are the input
// method's test windows, which report every change of their fields with its
// time. Five Telex sentences
// are typed REPEATS times each into each window through XTEST, a key every
// GAP ms, each held HOLD ms as a person holds it (a hold longer than the gap
// presses the next key while the last is down); the field the window reports is compared with
// the sentence, and for every key the tap has to fix, the time from the key
// to the moment the window's field first shows the fixed text is taken.
// Where the client reads its keys through IBus in a way the tap cannot fix
// behind, the tap leaves its keys alone, as the main app does, and they
// should come out as typed. Prints per window how many came out right per
// sentence, and the median and 90th percentile of those times. Run by
// bench/tap_typing_clients.
//   tap_typing_clients NAME=WINDOW_PROGRAM...

#include "platform/concurrency/MainLoop.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/input/InputMethodClients.hpp"
#include "platform/input/X11KeyEventPoster.hpp"
#include "platform/input/X11KeyboardEventTap.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/places/HostLayout.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"
#include "typing/engine/VietTypingSession.hpp"
#include "typing/integration/FocusedTextWriter.hpp"
#include "typing/integration/IMEEventBridge.hpp"

#include "ime/ibus/TestWindowProcess.hpp"
#include "ime/ibus/XTestInput.hpp"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace zentrel;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Sentence {
    const char* keys;
    const char* expected;
};

// Capitals (Shift inside a word), tones, vowel marks, đ and punctuation.
constexpr Sentence kSentences[] = {
    {"Tieengs Vieetj cos daaus ", "Tiếng Việt có dấu "},
    {"Hocj sinh ddeens truwowngf hocj ", "Học sinh đến trường học "},
    {"Ddaats nuwowcs Vieetj Nam raats ddepj ", "Đất nước Việt Nam rất đẹp "},
    {"Quas khuws cuar chungs tooi, nhaats ddinhj! ", "Quá khứ của chúng tôi, nhất định! "},
    {"Gioongs nhuw mootj giaacs mow ", "Giống như một giấc mơ "},
};
// A key every `gap`, each held `hold` (ZENTREL_TYPING_GAP_MS, ZENTREL_TYPING_HOLD_MS).
struct Pace {
    std::chrono::milliseconds gap{10};
    std::chrono::milliseconds hold{4};
};
Pace pace;

// The main app's key tap, its bridge turned on, running its main loop on a thread of its own.
class KeyTap {
public:
    bool start() {
        bridge_.withLock([](typing::IMEEventBridge::State& state) { state.isEnabled = true; });
        const bool installed = tap_.install([this](const platform::TapEvent& event, bool present) {
            return bridge_.handle(event, present) == typing::IMEEventBridge::Verdict::pass;
        });
        if (installed) thread_ = std::thread([this] { loop_.run(); });
        return installed;
    }
    // Off, the tap leaves every key alone.
    void setEnabled(bool enabled) {
        bridge_.withLock([enabled](typing::IMEEventBridge::State& state) { state.isEnabled = enabled; });
    }
    ~KeyTap() {
        loop_.quit();
        if (thread_.joinable()) thread_.join();
        tap_.remove();
    }

private:
    platform::MainLoop loop_;
    platform::x11::X11SyntheticEchoes echoes_;
    platform::x11::X11KeyEventPoster poster_{echoes_};
    platform::x11::X11KeyboardEventTap tap_{loop_, echoes_};
    platform::MemoryClipboard clipboard_;
    typing::NoFocusedTextWriter writer_;
    typing::IMEEventBridge bridge_{poster_, clipboard_, writer_};
    std::thread thread_;
};

// The field after each key, as the engine means it to read.
std::vector<std::string> statesAfterEachKey(const std::string& keys) {
    typing::VietIMEEngine engine;
    typing::VietTypingSession session(engine);
    std::vector<std::string> states;
    for (char key : keys) {
        session.type(static_cast<char32_t>(key));
        states.push_back(session.text());
    }
    return states;
}

std::int64_t micros(Clock::time_point at) {
    return std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
}

struct ClientFigures {
    std::vector<int> right = std::vector<int>(std::size(kSentences), 0);
    std::vector<double> fixMillis;
    std::vector<double> plainMillis;  // keys that need no fix: the window's own delay
    int fixesNeverShown = 0;
    std::vector<std::string> wrong;
};

// Types one sentence into the empty "first" entry; adds what came of it.
// `expected` is what the field should read after it, the sentence or, where
// nothing converts it, its keys.
void typeSentence(testing::TestWindowProcess& window, testing::XTestInput& typist, std::size_t index,
                  const std::string& expected, ClientFigures& figures) {
    const auto& sentence = kSentences[index];
    const auto& entry = window.entry("first");
    const std::size_t before = entry.texts.size();
    std::vector<Clock::time_point> sent;
    std::atomic<bool> typed = false;
    std::thread person([&] {
        sent = typist.typeHeld(sentence.keys, pace.gap, pace.hold);
        typed = true;
    });
    (void)window.waitUntil([&] { return typed && entry.text() == expected; }, 10s);
    person.join();
    window.settle(150ms);
    if (entry.text() == expected) {
        ++figures.right[index];
    } else {
        figures.wrong.push_back(entry.text());
    }
    if (expected != sentence.expected) return;

    // A key the tap fixes: the field reads otherwise than before it plus the key.
    const auto states = statesAfterEachKey(sentence.keys);
    const std::string keys = sentence.keys;
    for (std::size_t key = 0; key < states.size(); ++key) {
        const bool fixed = states[key] != (key == 0 ? std::string() : states[key - 1]) + keys[key];
        const auto at = micros(sent[key]);
        bool shown = false;
        for (std::size_t change = before; change < entry.texts.size() && !shown; ++change) {
            if (entry.textTimes[change] < at || entry.texts[change] != states[key]) continue;
            (fixed ? figures.fixMillis : figures.plainMillis)
                .push_back(static_cast<double>(entry.textTimes[change] - at) / 1000.0);
            shown = true;
        }
        if (!shown && fixed) ++figures.fixesNeverShown;
    }
}

// Control+A, then Backspace a moment later, as a person presses them.
bool clear(testing::TestWindowProcess& window, testing::XTestInput& typist) {
    typist.pressWithControl("a");
    window.settle(pace.gap);
    typist.press("BackSpace");
    return window.waitUntil([&] { return window.entry("first").text().empty(); }, 5s);
}

double percentile(std::vector<double> values, int percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = (values.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return values[std::max<std::size_t>(rank, 1) - 1];
}

// The key tap, where it is the path (none for the input method's path).
KeyTap* keyTap = nullptr;
// Neither path: what the client makes of the keys on its own, for comparison.
bool nothingConverts = false;
// ZENTREL_TYPING_PATH as given.
std::string typingPath;

// A cell of the grid, one line to collect: path, client, gap, hold, and
// sentences right of those typed, or why none were.
void printCell(const std::string& title, const std::string& outcome) {
    std::printf("cell\t%s\t%s\t%lld\t%lld\t%s\n", typingPath.c_str(), title.c_str(),
                static_cast<long long>(pace.gap.count()), static_cast<long long>(pace.hold.count()), outcome.c_str());
}

bool runClient(const std::string& title, const char* program, int repeats) {
    testing::TestWindowProcess window(program, 0, 0);
    if (!window.isReady()) {
        std::printf("%s: the window did not show\n%s", title.c_str(), window.transcript().c_str());
        printCell(title, "window did not show");
        return false;
    }
    // As the main app does: a program whose toolkit reads keys through IBus gets them unchanged.
    const bool leftAlone =
        nothingConverts || (keyTap != nullptr && platform::processReadsKeysThroughIBus(window.pid()));
    if (keyTap != nullptr) keyTap->setEnabled(!leftAlone);
    testing::XTestInput typist;
    typist.focus(window.window());
    typist.click(window.entry("first").x, window.entry("first").y);
    // A toolkit may take a moment to reach IBus after the focus: it has when "aa " comes out as it should.
    const std::string warmedUp = leftAlone ? "aa " : "â ";
    bool warm = false;
    for (int attempt = 0; attempt < 40 && !warm; ++attempt) {
        typist.type("aa ");
        warm = window.waitUntil([&] { return window.entry("first").text().ends_with(warmedUp); }, 250ms);
    }
    // GTK 4 reverses keys that arrive while it connects its field to IBus: that is over before typing starts.
    window.settle(500ms);
    if (!warm) std::printf("%s: \"aa \" never came out as \"%s\"\n", title.c_str(), warmedUp.c_str());

    ClientFigures figures;
    for (int round = 0; round < repeats; ++round) {
        for (std::size_t index = 0; index < std::size(kSentences); ++index) {
            if (!clear(window, typist)) {
                std::printf("%s: the field could not be cleared: \"%s\"\n%s", title.c_str(),
                            window.entry("first").text().c_str(), window.transcript().c_str());
                printCell(title, "field could not be cleared");
                return false;
            }
            typeSentence(window, typist, index, leftAlone ? kSentences[index].keys : kSentences[index].expected,
                         figures);
        }
    }

    std::printf("%s%s\n", title.c_str(),
                nothingConverts ? " (right: as typed)"
                : leftAlone     ? ": reads its keys through IBus, so the tap leaves them alone (right: as typed)"
                                : "");
    for (std::size_t index = 0; index < std::size(kSentences); ++index) {
        std::printf("  %2d of %d right  %s\n", figures.right[index], repeats, kSentences[index].expected);
    }
    if (keyTap != nullptr && !leftAlone) {
        std::printf("  key to fix shown: %zu fixes, median %.2f ms, 90th percentile %.2f ms, slowest %.2f ms",
                    figures.fixMillis.size(), percentile(figures.fixMillis, 50), percentile(figures.fixMillis, 90),
                    percentile(figures.fixMillis, 100));
        if (figures.fixesNeverShown > 0) std::printf(", %d never shown as meant", figures.fixesNeverShown);
        std::printf("\n  key shown, where nothing is fixed: median %.2f ms, 90th percentile %.2f ms\n",
                    percentile(figures.plainMillis, 50), percentile(figures.plainMillis, 90));
    }
    for (std::size_t i = 0; i < figures.wrong.size() && i < 5; ++i) {
        std::printf("  wrong: \"%s\"\n", figures.wrong[i].c_str());
    }
    int right = 0;
    for (int count : figures.right) right += count;
    printCell(title, std::to_string(right) + " of " + std::to_string(repeats * static_cast<int>(std::size(kSentences))) +
                         (leftAlone ? " as typed" : ""));
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tap_typing_clients NAME=WINDOW_PROGRAM...\n");
        return 2;
    }
    const char* pathText = std::getenv("ZENTREL_TYPING_PATH");
    const std::string path = pathText != nullptr ? pathText : "tap";
    typingPath = path;
    const bool throughTap = path == "tap";
    nothingConverts = path == "none";
    std::unique_ptr<KeyTap> tap;
    if (throughTap) {
        if (const auto reason = platform::x11::keyTapUnavailableReason()) {
            std::printf("skipped: %s\n", reason->c_str());
            return 77;
        }
        tap = std::make_unique<KeyTap>();
        if (!tap->start()) {
            std::printf("the key tap could not be installed\n");
            return 1;
        }
        keyTap = tap.get();
    } else if (!nothingConverts) {
        // Typing on, as the window writes it for the input method when the user turns it on.
        typing::VietIMESharedSnapshot typingOn;
        typingOn.isEnabled = true;
        auto notifications = platform::SessionBusNotificationCenter::fromEnvironment();
        if (!typing::VietIMESharedSettings::save(typingOn, platform::HostLayout::fromEnvironment(), notifications)) {
            std::printf("the typing settings could not be written\n");
            return 1;
        }
    }
    const char* repeatsText = std::getenv("ZENTREL_TYPING_REPEATS");
    const int repeats = repeatsText != nullptr ? std::max(1, std::atoi(repeatsText)) : 20;
    const auto millis = [](const char* name, long fallback) {
        const char* text = std::getenv(name);
        return std::chrono::milliseconds(text != nullptr ? std::max(1, std::atoi(text)) : fallback);
    };
    pace = {millis("ZENTREL_TYPING_GAP_MS", 10), millis("ZENTREL_TYPING_HOLD_MS", 4)};
    const char* gtkModule = std::getenv("GTK_IM_MODULE");
    std::printf("%s, Telex, a key every %lld ms held %lld ms, each sentence %d times, IBus %s, GTK_IM_MODULE %s%s\n",
                throughTap ? "Key tap" : nothingConverts ? "Nothing converting" : "Input method",
                static_cast<long long>(pace.gap.count()), static_cast<long long>(pace.hold.count()), repeats,
                std::getenv("IBUS_ADDRESS") != nullptr ? "running" : "not running",
                gtkModule != nullptr ? gtkModule : "not set",
                throughTap ? " (goal: all right, 90th percentile under 2 ms)" : " (goal: all right)");
    // Other work on the machine delays every process here; the figures are read against it.
    std::ifstream load("/proc/loadavg");
    std::string lastMinute;
    if (load >> lastMinute) std::printf("Load average of the machine: %s over the last minute\n", lastMinute.c_str());
    bool allShown = true;
    for (int i = 1; i < argc; ++i) {
        const char* split = std::strchr(static_cast<const char*>(argv[i]), '=');
        if (split == nullptr) {
            std::fprintf(stderr, "not NAME=WINDOW_PROGRAM: %s\n", argv[i]);
            return 2;
        }
        allShown = runClient(std::string(argv[i], static_cast<std::size_t>(split - argv[i])), split + 1, repeats) && allShown;
    }
    return allShown ? 0 : 1;
}
