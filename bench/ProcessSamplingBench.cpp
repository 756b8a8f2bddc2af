// One pass over every process of this machine, as the Boost screen makes every
// 3 seconds: target under 5 ms for about 100 processes.

#include "platform/concurrency/Clock.hpp"
#include "services/processes/ProcessSampler.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"
#include "services/processes/Workspace.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrel;

// The pass measured here reads processes only; no application is involved.
class NoApplications final : public services::Workspace {
public:
    [[nodiscard]] std::vector<services::RunningApplication> runningApplications() const override { return {}; }
    bool terminate(const services::RunningApplication&, bool) override { return false; }
};

void BM_SampleAllProcesses(benchmark::State& state) {
    services::ProcfsSystemStatistics statistics;
    NoApplications workspace;
    services::ProcessSampler sampler(statistics, workspace, platform::SystemClock::shared());
    std::size_t processes = 0;
    for (auto _ : state) {
        auto samples = sampler.sampleAllProcesses();
        processes = samples.size();
        benchmark::DoNotOptimize(samples);
    }
    state.counters["processes"] = static_cast<double>(processes);
}
BENCHMARK(BM_SampleAllProcesses)->Unit(benchmark::kMillisecond);

void BM_MemoryAndCpuTicks(benchmark::State& state) {
    services::ProcfsSystemStatistics statistics;
    NoApplications workspace;
    services::ProcessSampler sampler(statistics, workspace, platform::SystemClock::shared());
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.readMemorySnapshot());
        benchmark::DoNotOptimize(sampler.sampleCPULoadTicks());
    }
}
BENCHMARK(BM_MemoryAndCpuTicks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
