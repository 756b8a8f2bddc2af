#include "ui/presenters/BoostPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <algorithm>
#include <cmath>

namespace zentrel::ui {
namespace {

using services::BoostProcess;
using viewmodels::BoostViewModel;

std::string memoryText(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::memory); }

GaugeTile gauge(const char* label, double fraction, std::string caption, std::optional<PillContent> pill) {
    GaugeTile tile;
    tile.label = platform::localized(label);
    tile.fraction = fraction;
    tile.percent = std::llround(fraction * 100);
    tile.caption = std::move(caption);
    tile.accessibilityLabel =
        platform::localizedFormat("%@: %lld percent. %@", {tile.label, platform::formatCount(tile.percent), tile.caption});
    tile.pill = std::move(pill);
    return tile;
}

}  // namespace

PillContent pressurePill(services::MemoryPressure pressure) {
    switch (pressure) {
    case services::MemoryPressure::normal: return {platform::localized("Normal"), PillTone::safe};
    case services::MemoryPressure::warning: return {platform::localized("Warning"), PillTone::review};
    case services::MemoryPressure::critical: return {platform::localized("Critical"), PillTone::danger};
    }
    return {};
}

GaugeTile memoryGauge(const services::MemorySnapshot& memory) {
    const double fraction =
        memory.total < 1 ? 0.0
                         : std::clamp(static_cast<double>(memory.used) / static_cast<double>(memory.total), 0.0, 1.0);
    return gauge(N_("Memory used"), fraction, memoryText(memory.used) + " / " + memoryText(memory.total),
                 pressurePill(memory.pressure()));
}

GaugeTile cpuGauge(double systemCPU) {
    const double fraction = std::clamp(systemCPU, 0.0, 1.0);
    const auto percent = platform::formatPercent(std::llround(fraction * 100));
    return gauge(N_("CPU load"), fraction, platform::localizedFormat("%@ across all cores", {percent}), std::nullopt);
}

std::vector<BreakdownColumn> memoryBreakdown(const services::MemorySnapshot& memory) {
    return {
        {platform::localized("App"), memoryText(memory.app), FigureColor::accent},
        {platform::localized("Wired"), memoryText(memory.wired), FigureColor::review},
        {platform::localized("Compressed"), memoryText(memory.compressed), FigureColor::ai},
        {platform::localized("Cached"), memoryText(memory.cached), FigureColor::health},
    };
}

std::optional<std::string> activeApplicationNote(const viewmodels::BoostViewModel& vm) {
    if (vm.knowsActiveApplication()) return std::nullopt;
    return platform::localized(
        "This desktop does not tell which app is in front (Wayland), so no app is marked Active.");
}

PillContent processKind(const BoostProcess& process) {
    if (process.isCurrentApp) return {platform::localized("This app"), PillTone::neutral};
    if (process.isApp && process.isActive) return {platform::localized("Active"), PillTone::review};
    // An open application is an app; only a process without one runs in the
    // background, and only those leave when background processes are hidden.
    if (process.isApp) return {platform::localized("App"), PillTone::safe};
    return {platform::localized("Background"), PillTone::neutral};
}

std::vector<ProcessRowContent> processRows(const BoostViewModel& vm) {
    const auto& processes = vm.processes();
    const auto& icons = vm.processIcons();
    std::vector<ProcessRowContent> rows;
    rows.reserve(processes.size());
    for (const auto& process : processes) {
        ProcessRowContent row;
        row.pid = process.pid;
        row.name = process.name;
        row.kind = processKind(process);
        // One scale with the CPU load gauge: the share of all processors.
        const auto cpu = platform::formatPercent(std::llround(process.cpuPercent / vm.processorCount()));
        row.detail = platform::localizedFormat("%@ RAM · %@ CPU", {memoryText(process.residentBytes), cpu});
        row.memory = memoryText(process.residentBytes);
        row.selectable = process.isApp && !process.isCurrentApp;
        row.selected = vm.selectedPIDs().contains(process.pid);
        row.opacity = row.selectable ? 1.0 : 0.6;
        if (auto icon = icons.find(process.pid); icon != icons.end()) row.icon = icon->second;
        row.fallbackSymbol = process.isApp ? "app.fill" : "gearshape.fill";
        rows.push_back(std::move(row));
    }
    // The divider goes under every row but the one of the list's last pid.
    if (!processes.empty()) {
        for (auto& row : rows) row.dividerBelow = row.pid != processes.back().pid;
    }
    return rows;
}

ProcessListState processListState(const BoostViewModel& vm) {
    if (!vm.processes().empty()) return ProcessListState::rows;
    // A machine may run no application at all: the wait ends with the first sample.
    return vm.hasSampled() ? ProcessListState::nothingRunning : ProcessListState::waiting;
}

bool showsClearButton(const BoostViewModel& vm) { return vm.selectedCount() >= 1; }

void changeSortMode(BoostViewModel& vm, BoostViewModel::SortMode mode) {
    if (vm.sortMode.set(mode)) vm.refresh();
}

void changeShowBackground(BoostViewModel& vm, bool show) {
    if (vm.showBackground.set(show)) vm.refresh();
}

BoostActionArea actionArea(const BoostViewModel& vm) {
    using Phase = BoostViewModel::BoostState::Phase;
    const auto& state = vm.boostState();
    BoostActionArea area;
    switch (state.phase) {
    case Phase::idle: {
        area.form = BoostActionArea::Form::idle;
        const int count = vm.selectedCount();
        area.primaryTitle = count < 1 ? platform::localized("Select apps below to free memory")
                                      : platform::localizedFormat(N_COUNTED("Free up memory — quit %lld app(s) (~%@)"),
                                                                  {platform::formatCount(count), memoryText(vm.selectedBytes())});
        area.primaryEnabled = count != 0;
        break;
    }
    case Phase::boosting: area.form = BoostActionArea::Form::boosting; break;
    case Phase::done:
        area.form = BoostActionArea::Form::done;
        area.headline = state.freedBytes < 1
                            ? platform::localized("Apps quit — RAM returned to the system")
                            : platform::localizedFormat("Freed %@ of RAM", {memoryText(state.freedBytes)});
        area.detail = platform::localizedFormat(N_COUNTED("Quit %lld app(s)"), {platform::formatCount(state.count)});
        break;
    }
    return area;
}

QuitConfirmation quitConfirmation(const BoostViewModel& vm) {
    QuitConfirmation confirmation;
    confirmation.targets = vm.selectedApps();
    confirmation.title = platform::localizedFormat(N_COUNTED("Quit %lld app(s)?"), {platform::formatCount(vm.selectedCount())});
    confirmation.message = platform::localized(BoostTexts::quitMessage);
    for (const auto& target : confirmation.targets) confirmation.names.push_back(target.name);
    confirmation.confirmLabel = platform::localized("Quit & free memory");
    confirmation.cancelLabel = platform::localized("Cancel");
    return confirmation;
}

void confirmQuit(BoostViewModel& vm, const QuitConfirmation& confirmation) { vm.boostSelected(confirmation.targets); }

}  // namespace zentrel::ui
