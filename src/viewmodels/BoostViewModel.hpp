#pragma once
// The state behind the Boost screen: a live memory summary, the system CPU
// load, the process list refreshed every 3 seconds while the screen is shown,
// the user's choice of applications to quit, and the progress of one boost
// (quit the chosen applications, wait 1.4 seconds, measure what was freed).
// It lives on the main thread, as long as its screen; timers go through the
// scheduler, so tests drive it with a fake clock.

#include "platform/concurrency/Clock.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "platform/settings/Observable.hpp"
#include "platform/text/Localization.hpp"
#include "services/processes/BoostProcess.hpp"
#include "services/processes/MemorySnapshot.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <array>
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

class BoostViewModel final {
public:
    enum class SortMode { memory, cpu };
    static constexpr std::array<SortMode, 2> kSortModes = {SortMode::memory, SortMode::cpu};
    // "memory" or "cpu".
    [[nodiscard]] static std::string rawValue(SortMode mode);
    // "Memory" or N_("CPU"), localized.
    [[nodiscard]] static std::string title(SortMode mode);

    struct BoostState {
        enum class Phase { idle, boosting, done };
        Phase phase = Phase::idle;
        std::int64_t freedBytes = 0;  // only when done
        int count = 0;                // applications asked to quit; only when done

        [[nodiscard]] static BoostState idle() { return {}; }
        [[nodiscard]] static BoostState boosting() { return {Phase::boosting}; }
        [[nodiscard]] static BoostState done(std::int64_t freedBytes, int count) {
            return {Phase::done, freedBytes, count};
        }
        bool operator==(const BoostState&) const = default;
    };

    static constexpr platform::Duration kRefreshInterval = std::chrono::seconds(3);
    static constexpr platform::Duration kSettleWait = std::chrono::milliseconds(1400);
    static constexpr std::size_t kDisplayLimit = 60;

    BoostViewModel(services::ProcessSampler& sampler, const platform::Clock& clock,
                   platform::TimerScheduler& scheduler);
    BoostViewModel(const BoostViewModel&) = delete;
    BoostViewModel& operator=(const BoostViewModel&) = delete;

    platform::Published<services::MemorySnapshot> memory;
    platform::Published<double> systemCPU{0.0};  // 0 to 1
    // The rows the screen shows: filtered, sorted, at most kDisplayLimit.
    platform::AnnouncedValue<std::vector<services::BoostProcess>> processes;
    platform::AnnouncedValue<std::set<std::int32_t>> selectedPIDs;
    // The screen sets these; they take effect at the next refresh.
    platform::Published<SortMode> sortMode{SortMode::memory};
    platform::Published<bool> showBackground{false};
    platform::Published<BoostState> boostState;
    // Icons of the application rows of `processes`, by pid.
    platform::Published<std::map<std::int32_t, std::string>> processIcons;

    // Refreshes at once, then every 3 seconds until stop(); nothing when
    // already running. The screen starts it when shown and stops it when hidden.
    void start();
    void stop();
    [[nodiscard]] bool isRunning() const { return loop_.isActive(); }
    // Whether the application in front can be known (and so marked "Active").
    [[nodiscard]] bool knowsActiveApplication() const { return sampler_.knowsActiveApplication(); }

    void refresh();
    // Whether a refresh has run: before it, an empty list means "not yet known".
    [[nodiscard]] bool hasSampled() const { return sampled_; }
    // The processors the last refresh counted; a row's CPU over this is its share of the machine.
    [[nodiscard]] int processorCount() const { return processors_; }

    // Selects or deselects an application row; other rows change nothing.
    void toggleSelection(const services::BoostProcess& process);
    // The selection becomes the inactive applications using at least this many
    // (decimal) megabytes.
    void selectHeavyApps(int thresholdMB);
    void clearSelection();
    // Asks the selected applications to quit, waits for them to settle, then
    // reports what was freed. A boost still waiting ignores the call.
    void boostSelected();
    // The same for the rows the user confirmed, as they were shown: a row
    // whose pid now belongs to another process is not asked to quit.
    void boostSelected(const std::vector<services::BoostProcess>& confirmed);
    // The selected application rows, in list order.
    [[nodiscard]] std::vector<services::BoostProcess> selectedApps() const;

    [[nodiscard]] std::vector<services::BoostProcess> selectableApps() const;
    [[nodiscard]] int selectedCount() const;
    [[nodiscard]] std::int64_t selectedBytes() const;

private:
    [[nodiscard]] std::vector<services::BoostProcess> visibleProcesses(std::vector<services::BoostProcess> rows) const;
    void updateSystemCPU();
    void finishBoost(services::MemorySnapshot before, int count);

    services::ProcessSampler& sampler_;
    const platform::Clock& clock_;
    platform::TimerScheduler& scheduler_;
    services::ProcessMap prevSamples_;
    platform::Date prevSampleTime_;
    std::optional<services::CpuLoadTicks> prevCPUTicks_;
    platform::Timer loop_;
    platform::Timer settle_;
    bool sampled_ = false;
    int processors_ = 1;
};

}  // namespace zentrel::viewmodels
