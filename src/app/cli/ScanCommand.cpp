// zentrel-cli scan: the full scan (or one category's) over the home folder,
// items grouped by category with sizes and totals. It deletes nothing; a
// full scan stores its figures in the settings of a home given with --home.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanSetup.hpp"
#include "app/cli/ScanViewModelSetup.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/CleanFigureText.hpp"
#include "viewmodels/DuplicateWalkNotice.hpp"

#include "platform/text/LosslessText.hpp"

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>

namespace zentrel::cli {
namespace {

nlohmann::json itemJson(const model::CleanItem& item) {
    nlohmann::json json = {{"category", std::string(model::rawValue(item.category))},
                           {"sizeBytes", item.sizeBytes},
                           {"selected", item.isSelected},
                           {"safety", item.safetyLevel == model::SafetyLevel::safe ? "safe" : "review"}};
    // Names on disk need not be UTF-8: their exact bytes go beside the readable text.
    // A privacy item's name is the title of its store, in the words of this desktop.
    platform::putLosslessText(json, "name", item.category == model::CategoryType::privacy ? platform::localized(item.name) : item.name);
    platform::putLosslessText(json, "path", item.path);
    platform::putLosslessText(json, "subcategory", item.subcategory);
    platform::putLosslessText(json, "friendlyName", item.friendlyName);
    if (item.isReadOnly) json["readOnly"] = true;
    if (item.warningMessage) json["warning"] = *item.warningMessage;
    if (item.suggestedCommand) json["suggestedCommand"] = *item.suggestedCommand;
    return json;
}

// Where the duplicate walk stopped, beside each Duplicates item: the list
// keeps its shape, one entry per item.
nlohmann::json walkStopJson(const scanners::CandidateLimitStop& stop) {
    nlohmann::json json = {{"limit", stop.limit}, {"notReached", nlohmann::json::array()}};
    platform::putLosslessText(json, "at", stop.stoppedAt);
    for (const auto& root : stop.rootsNotReached) {
        nlohmann::json entry = nlohmann::json::object();
        platform::putLosslessText(entry, "path", root);
        json["notReached"].push_back(std::move(entry));
    }
    return json;
}

// The sizes whose files were not all compared, beside each Duplicates item.
nlohmann::json cappedSizesJson(const std::vector<scanners::CappedSizeGroup>& sizes) {
    nlohmann::json json = nlohmann::json::array();
    for (const auto& size : sizes)
        json.push_back({{"sizeBytes", size.sizeBytes}, {"files", size.files}, {"compared", size.compared}});
    return json;
}

// What the duplicates scan left uncompared: where its walk stopped and the sizes it compared only in part.
struct DuplicateGaps {
    std::optional<scanners::CandidateLimitStop> stop;
    std::vector<scanners::CappedSizeGroup> cappedSizes;
};

void printGrouped(const engine::CleanerEngine::Items& items, const DuplicateGaps& gaps) {
    const auto notice = viewmodels::duplicateScanNotice(gaps.stop, gaps.cappedSizes);
    std::map<model::CategoryType, std::vector<const model::CleanItem*>> byCategory;
    for (const auto& item : items) byCategory[item.category].push_back(&item);
    std::int64_t total = 0;
    std::size_t count = 0;
    for (const auto& [category, members] : byCategory) {
        // What only an administrator can remove is listed apart and frees nothing here.
        std::vector<const model::CleanItem*> readOnly;
        std::int64_t sum = 0;
        std::int64_t cookies = 0;
        for (const auto* item : members) {
            if (item->isReadOnly) {
                readOnly.push_back(item);
                continue;
            }
            sum += item->sizeBytes;
            cookies += viewmodels::trackerCookieCount(*item);
        }
        std::cout << model::displayName(category) << " (" << viewmodels::cleanFigureText(sum, cookies) << ")\n";
        if (category == model::CategoryType::duplicates && notice) std::cout << "  " << *notice << "\n";
        for (const auto* item : members) {
            if (item->isReadOnly) continue;
            std::cout << "  " << (item->isSelected ? "[x] " : "[ ] ") << terminalText(item->displayTitle()) << "\t"
                      << viewmodels::cleanFigureText(*item) << "\t" << terminalText(item->path) << "\n";
            if (item->warningMessage) std::cout << "      " << *item->warningMessage << "\n";
            if (item->suggestedCommand) std::cout << "      $ " << *item->suggestedCommand << "\n";
        }
        if (!readOnly.empty())
            std::cout << "  " << platform::localized("For every user; only an administrator can remove these:") << "\n";
        for (const auto* item : readOnly)
            std::cout << "      " << terminalText(item->displayTitle()) << "\t" << terminalText(item->path) << "\n";
        total += sum;
        count += members.size() - readOnly.size();
    }
    if (notice && !byCategory.contains(model::CategoryType::duplicates))
        std::cout << model::displayName(model::CategoryType::duplicates) << "\n  " << *notice << "\n";
    std::cout << platform::localizedFormat(N_COUNTED("Total: %@ in %lld items"), {platform::formatByteCount(total), std::to_string(count)})
              << "\n";
}

void printItems(const engine::CleanerEngine::Items& items, bool json, const DuplicateGaps& gaps) {
    if (json) {
        nlohmann::json list = nlohmann::json::array();
        bool listsDuplicates = false;
        for (const auto& item : items) {
            list.push_back(itemJson(item));
            if (item.category != model::CategoryType::duplicates) continue;
            listsDuplicates = true;
            if (gaps.stop) list.back()["walkStoppedEarly"] = walkStopJson(*gaps.stop);
            if (!gaps.cappedSizes.empty()) list.back()["sizesNotAllCompared"] = cappedSizesJson(gaps.cappedSizes);
        }
        // Text that is not UTF-8 is in the lossless fields; elsewhere it is replaced, never a failure.
        std::cout << terminalJson(list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace)) << "\n";
        // With no Duplicates item to carry it, the notice goes beside the list.
        const auto notice = viewmodels::duplicateScanNotice(gaps.stop, gaps.cappedSizes);
        if (notice && !listsDuplicates) std::cerr << *notice << "\n";
    } else {
        printGrouped(items, gaps);
    }
}

int runScan(const Arguments& arguments) {
    const auto layout = hostLayout(arguments);
    std::optional<model::CategoryType> category;
    if (auto name = arguments.option("--category")) category = categoryNamed(*name);

    ScanSetup setup(layout, hostTable(arguments, platform::PosixFileSystem::shared()));
    const bool json = arguments.flag("--json");
    if (category) {
        auto items = setup.categoryScan(*category);
        printItems(items, json, {setup.engine.duplicateWalkStop(), setup.engine.duplicateCappedSizes()});
        return 0;
    }

    // A full scan goes through the view model, which stores the scan's
    // figures in the settings of a home given with --home.
    const bool writeSettings = arguments.option("--home").has_value();
    ScanViewModelSetup screen(setup, layout, writeSettings);
    auto& viewModel = screen.viewModel();
    std::optional<platform::Subscription> progress;
    // Progress is for a person watching: a script reading standard error gets only what went wrong.
    if (!json && isTerminal(Stream::error)) {
        progress = viewModel.scanState.observe([](const model::ScanState& state) {
            if (const auto* scanning = std::get_if<model::scan_state::Scanning>(&state)) {
                std::cerr << static_cast<int>(scanning->progress * 100) << "% " << scanning->message << "\n";
            }
        });
    }
    viewModel.resetScan(true);  // the last scan's summary leaves it done
    viewModel.startScan(false, true, false, false);
    screen.waitUntilIdle();
    printItems(viewModel.result().items, json, {viewModel.duplicateWalkStop(), viewModel.duplicateCappedSizes()});
    if (!json) {
        std::cout << platform::localized(writeSettings ? "Category totals stored:"
                                                       : N_("Category totals (not stored without --home):"))
                  << "\n";
        for (const auto& [stored, bytes] : screen.prefs().lastScanCategoryTotals()) {
            std::cout << "  " << model::displayName(stored) << "\t" << platform::formatByteCount(bytes) << "\n";
        }
    }
    return 0;
}

CliCommandRegistration scan{{.name = "scan",
                             .usage = N_("scan [--home DIR [--system-root DIR]] [--layout linux|macos] "
                                      "[--category NAME] [--json]"),
                             .summary = N_("Scan for junk and list what could be cleaned, by category (deletes nothing)"),
                             .options = withHostTableOptions({{"--category", ValueKind::text}, {"--json"}}),
                             .run = runScan}};

}  // namespace
}  // namespace zentrel::cli
