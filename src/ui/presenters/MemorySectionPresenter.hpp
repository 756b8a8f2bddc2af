#pragma once
// The tray popover's memory section: the pressure, the usage bar and, while
// memory is tight or a Focus is on with "focusAutoCalmEnabled", up to three
// heavy applications that can be quit one by one. The figures are read when
// the popover opens and again after each quit; nothing polls.

#include "platform/settings/DefaultsStore.hpp"
#include "services/processes/BoostProcess.hpp"
#include "services/processes/MemorySnapshot.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct HeavyAppRowContent {
    std::int32_t pid = 0;
    std::string name;
    std::string sizeText;  // memory style
    std::string hint;
    std::optional<std::string> icon;  // a theme icon name or an icon file

    bool operator==(const HeavyAppRowContent&) const = default;
};

struct MemorySectionContent {
    services::MemoryPressure pressure = services::MemoryPressure::normal;
    std::string pressureLabel;
    double usedFraction = 0.0;
    std::string accessibleLabel;
    std::vector<HeavyAppRowContent> heavyApps;  // empty: the list is hidden

    bool operator==(const MemorySectionContent&) const = default;
};

class MemorySectionPresenter final {
public:
    static constexpr std::size_t kHeavyApps = 3;
    static constexpr std::string_view kFocusAutoCalmKey = "focusAutoCalmEnabled";

    MemorySectionPresenter(services::ProcessSampler& sampler, std::function<bool()> isFocusActive,
                           const platform::DefaultsStore& defaults);

    // Reads memory and the heavy applications: during a Focus with the
    // setting on, the background applications by energy; otherwise, under
    // pressure, the applications by memory; else none.
    void open();
    [[nodiscard]] MemorySectionContent content() const;
    // Asks the row's application to quit (only while its pid still names
    // the process the row showed), drops the row and reads memory again.
    void quit(std::int32_t pid);

    [[nodiscard]] const std::vector<services::BoostProcess>& topApps() const { return topApps_; }

private:
    [[nodiscard]] bool calmsDuringFocus() const;

    services::ProcessSampler& sampler_;
    std::function<bool()> isFocusActive_;
    const platform::DefaultsStore& defaults_;
    services::MemorySnapshot memory_;
    std::vector<services::BoostProcess> topApps_;
    std::map<std::int32_t, std::optional<std::string>> icons_;
};

}  // namespace zentrel::ui
