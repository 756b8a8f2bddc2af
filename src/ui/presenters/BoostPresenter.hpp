#pragma once
// What the Boost page shows and does, read from its view model: the two
// gauges, the memory breakdown, the process rows, the action area and the
// quit confirmation. Memory figures are in memory style. The page's widgets
// draw these and call back here; nothing in this file knows Qt.

#include "platform/text/Localization.hpp"
#include "services/processes/BoostProcess.hpp"
#include "services/processes/MemorySnapshot.hpp"
#include "viewmodels/BoostViewModel.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

// The colour family of a status pill.
enum class PillTone { safe, review, danger, neutral };

struct PillContent {
    std::string text;
    PillTone tone = PillTone::neutral;

    bool operator==(const PillContent&) const = default;
};

struct GaugeTile {
    std::string label;
    double fraction = 0;       // 0 to 1, for the meter
    std::int64_t percent = 0;  // the fraction in whole percent, rounded
    std::string caption;
    std::string accessibilityLabel;
    std::optional<PillContent> pill;

    bool operator==(const GaugeTile&) const = default;
};

[[nodiscard]] GaugeTile memoryGauge(const services::MemorySnapshot& memory);
[[nodiscard]] GaugeTile cpuGauge(double systemCPU);
[[nodiscard]] PillContent pressurePill(services::MemoryPressure pressure);

// The named colour of a figure.
enum class FigureColor { accent, review, ai, health };

struct BreakdownColumn {
    std::string label;
    std::string value;
    FigureColor color = FigureColor::accent;

    bool operator==(const BreakdownColumn&) const = default;
};

// App, Wired, Compressed and Cached, in that order.
[[nodiscard]] std::vector<BreakdownColumn> memoryBreakdown(const services::MemorySnapshot& memory);

struct ProcessRowContent {
    std::int32_t pid = 0;
    std::string name;
    PillContent kind;
    std::string detail;  // "1.2 GB RAM · 3% CPU"
    std::string memory;
    // An application other than this program: it can be picked, is drawn at
    // full opacity with a check box, its memory in the primary colour.
    bool selectable = false;
    bool selected = false;
    double opacity = 1.0;
    std::optional<std::string> icon;  // an icon name of the theme or an icon file
    std::string fallbackSymbol;       // when there is no icon
    bool dividerBelow = true;         // every row but the last

    bool operator==(const ProcessRowContent&) const = default;
};

[[nodiscard]] PillContent processKind(const services::BoostProcess& process);
[[nodiscard]] std::vector<ProcessRowContent> processRows(const viewmodels::BoostViewModel& vm);
// What the list card shows: a progress indicator before the first sample,
// a note when the sample found nothing to list, else the rows.
enum class ProcessListState { waiting, nothingRunning, rows };
[[nodiscard]] ProcessListState processListState(const viewmodels::BoostViewModel& vm);
// Under the list where the desktop cannot tell which application is in front
// (a Wayland session): none is then marked "Active". None elsewhere.
[[nodiscard]] std::optional<std::string> activeApplicationNote(const viewmodels::BoostViewModel& vm);
[[nodiscard]] bool showsClearButton(const viewmodels::BoostViewModel& vm);

// The page's switches: a change refreshes the list once; setting the same
// value does nothing.
void changeSortMode(viewmodels::BoostViewModel& vm, viewmodels::BoostViewModel::SortMode mode);
void changeShowBackground(viewmodels::BoostViewModel& vm, bool show);

struct BoostActionArea {
    enum class Form { idle, boosting, done };
    Form form = Form::idle;
    std::string primaryTitle;  // idle
    bool primaryEnabled = false;
    std::string headline;  // done
    std::string detail;

    bool operator==(const BoostActionArea&) const = default;
};

[[nodiscard]] BoostActionArea actionArea(const viewmodels::BoostViewModel& vm);

// The quit confirmation, fixed when it opens: confirming quits exactly the
// applications it names, as they were shown then.
struct QuitConfirmation {
    std::string title;
    std::string message;
    std::vector<std::string> names;
    std::string confirmLabel;
    std::string cancelLabel;
    std::vector<services::BoostProcess> targets;
};

[[nodiscard]] QuitConfirmation quitConfirmation(const viewmodels::BoostViewModel& vm);
void confirmQuit(viewmodels::BoostViewModel& vm, const QuitConfirmation& confirmation);

// The page's fixed texts.
struct BoostTexts {
    static constexpr const char* title = "Boost";
    static constexpr const char* subtitle = N_("Free RAM & CPU by quitting heavy apps — measured, never faked.");
    static constexpr const char* breakdownTitle = N_("Memory breakdown");
    static constexpr const char* cachedNote =
        N_("“Cached” is reclaimable on demand — macOS frees it automatically when apps need RAM, so there's nothing "
        "to “clean” here.");
    static constexpr const char* listTitle = N_("Top apps");
    static constexpr const char* showBackground = N_("Show background processes");
    static constexpr const char* clear = "Clear";
    static constexpr const char* nothingRunning = N_("No apps are running.");
    static constexpr const char* purgeNote =
        N_("Why no “purge / free RAM” button? On macOS, forcing memory to free just makes the system re-read it from "
        "disk moments later — it doesn't speed anything up. The real win is quitting apps you're not using, which "
        "this screen does and measures.");
    static constexpr const char* primaryHint = N_("Quits the selected apps to reclaim their memory.");
    static constexpr const char* suggest = N_("Suggest heavy background apps");
    static constexpr const char* suggestHint = N_("Selects background apps using a lot of memory.");
    static constexpr const char* boosting = N_("Quitting apps & measuring…");
    static constexpr const char* done = "Done";
    static constexpr const char* rowHint = N_("Double tap to select for quitting.");
    static constexpr const char* quitMessage =
        N_("Each app is asked to quit normally, so it can prompt you to save unsaved work. Frozen apps may need Force "
        "Quit instead.");
};

// The heavy-app threshold of the suggestion, in decimal megabytes.
inline constexpr int kHeavyAppThresholdMB = 200;

}  // namespace zentrel::ui
