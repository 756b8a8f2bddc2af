// Feeds 1,000,000 keys of mixed Vietnamese and English words through the
// typing engine, as a client does, and reports the median and 99th-percentile
// time per key. The target is a median under 1 microsecond and a 99th
// percentile under 5 microseconds per key.

#include "typing/engine/VietIMEEngine.hpp"
#include "typing/engine/VietText.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace zentrel::typing;

constexpr std::size_t kKeyCount = 1'000'000;

std::u32string generatedKeys() {
    const char* words[] = {"vieetj", "nam", "tieengs", "ddaay", "hoaf", "nguowif", "dduowcj", "xin", "chaof",
                           "test",   "window", "hello", "khoong", "cuar", "chuungs", "toio", "Tieengs", "iPhone",
                           "tieesng", "DDaats", "thuowr", "hoafn", "nhw", "their", "screen", "Vieetk"};
    std::u32string keys;
    keys.reserve(kKeyCount);
    for (std::size_t i = 0; keys.size() < kKeyCount; ++i) {
        keys += toUtf32(words[(i * 7) % std::size(words)]);
        keys.push_back(i % 13 == 0 ? U'.' : U' ');
    }
    keys.resize(kKeyCount);
    return keys;
}

void BM_TypingEngineKeys(benchmark::State& state) {
    const auto keys = generatedKeys();
    std::vector<double> nanoseconds(keys.size());
    for (auto _ : state) {
        VietIMEEngine engine;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            auto result = engine.processChar(keys[i]);
            benchmark::DoNotOptimize(result);
            nanoseconds[i] = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        }
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    state.counters["median_ns"] = nanoseconds[nanoseconds.size() / 2];
    state.counters["p99_ns"] = nanoseconds[nanoseconds.size() * 99 / 100];
    state.counters["keys"] = static_cast<double>(keys.size());
}

BENCHMARK(BM_TypingEngineKeys)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
