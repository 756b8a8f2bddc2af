// The X11 key tap's fix latency: from the moment RECORD hands over a typed
// key to the moment the bridge has sent its rewrite through XTEST. Types
// 400 transforming pairs ("aa" becomes "â") as a person would, 5 ms apart,
// on the display in $DISPLAY, and reports the median and 99th percentile.
// Without a display of its own: `xvfb-run -a -s -noreset build/bench/x11_tap_latency_bench`
// (a server that resets when its first client leaves refuses the next).

#include "platform/concurrency/MainLoop.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/input/X11KeyEventPoster.hpp"
#include "platform/input/X11KeyboardEventTap.hpp"
#include "platform/input/X11Session.hpp"
#include "typing/integration/FocusedTextWriter.hpp"
#include "typing/integration/IMEEventBridge.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>


namespace {

using namespace zentrel;
using Clock = std::chrono::steady_clock;

constexpr int kPairs = 400;

// Stamps each event when the tap thread hands it over.
class StampingQueue final : public platform::MainQueue {
public:
    explicit StampingQueue(platform::MainLoop& loop) : loop_(loop) {}
    void post(platform::Job job) override {
        const auto stamp = Clock::now();
        loop_.post([this, stamp, job = std::move(job)] {
            observedAt = stamp;
            posted = false;
            job();
        });
    }
    Clock::time_point observedAt;
    bool posted = true;

private:
    platform::MainLoop& loop_;
};

// Measures from the stamp to the moment the rewrite is sent.
class TimingPoster final : public platform::KeyEventPoster {
public:
    TimingPoster(platform::KeyEventPoster& inner, StampingQueue& queue) : inner_(inner), queue_(queue) {}
    void post(const platform::SyntheticKeyEvent& event, platform::PostTarget target) override {
        inner_.post(event, target);
        sending_ = true;
    }
    void flush() override {
        inner_.flush();
        if (std::exchange(sending_, false) && !queue_.posted) {
            queue_.posted = true;
            latencies.push_back(std::chrono::duration<double, std::micro>(Clock::now() - queue_.observedAt).count());
        }
    }
    void sleepMicroseconds(std::uint32_t micros) override { inner_.sleepMicroseconds(micros); }
    std::vector<double> latencies;

private:
    platform::KeyEventPoster& inner_;
    StampingQueue& queue_;
    bool sending_ = false;
};

void BM_X11TapFixLatency(benchmark::State& state) {
    if (const auto reason = platform::x11::keyTapUnavailableReason()) {
        state.SkipWithError(reason->c_str());
        for (auto _ : state) {
        }
        return;
    }
    std::vector<double> latencies;
    for (auto _ : state) {
        platform::MainLoop loop;
        StampingQueue queue(loop);
        platform::x11::X11SyntheticEchoes echoes;
        platform::x11::X11KeyEventPoster xtest(echoes);
        TimingPoster poster(xtest, queue);
        platform::x11::X11KeyboardEventTap tap(queue, echoes);
        platform::MemoryClipboard clipboard;
        typing::NoFocusedTextWriter writer;
        typing::IMEEventBridge bridge(poster, clipboard, writer);
        bridge.withLock([](typing::IMEEventBridge::State& s) { s.isEnabled = true; });
        const bool installed = tap.install([&](const platform::TapEvent& event, bool present) {
            return bridge.handle(event, present) == typing::IMEEventBridge::Verdict::pass;
        });
        if (!installed) {
            state.SkipWithError("the key tap could not be installed");
            return;
        }

        std::atomic<bool> typed = false;
        std::thread person([&] {
            Display* keyboard = XOpenDisplay(nullptr);
            const KeyCode a = XKeysymToKeycode(keyboard, XK_a);
            const KeyCode space = XKeysymToKeycode(keyboard, XK_space);
            for (int pair = 0; pair < kPairs; ++pair) {
                for (KeyCode code : {a, a, space}) {
                    XTestFakeKeyEvent(keyboard, code, True, CurrentTime);
                    XTestFakeKeyEvent(keyboard, code, False, CurrentTime);
                    XSync(keyboard, False);
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
            }
            XCloseDisplay(keyboard);
            typed = true;
        });
        auto tick = loop.scheduleRepeating(std::chrono::milliseconds(20), [] {});
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        loop.runUntil([&] { return (typed && poster.latencies.size() >= kPairs) || Clock::now() > deadline; });
        person.join();
        tick.cancel();
        tap.remove();
        latencies = poster.latencies;
    }
    if (latencies.empty()) {
        state.SkipWithError("no rewrite was posted");
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_us"] = latencies[latencies.size() / 2];
    state.counters["p99_us"] = latencies[latencies.size() * 99 / 100];
    state.counters["rewrites"] = static_cast<double>(latencies.size());
}

}  // namespace

BENCHMARK(BM_X11TapFixLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
