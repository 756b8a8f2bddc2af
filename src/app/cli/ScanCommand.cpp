// zentrel-cli scan: the full scan (or one category's) over the home folder,
// items grouped by category with sizes and totals. Reads only. Scanners not
// built yet find nothing.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanSetup.hpp"
#include "platform/ByteCountFormatter.hpp"

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>

namespace zentrel::cli {
namespace {

nlohmann::json itemJson(const model::CleanItem& item) {
    nlohmann::json json = {{"name", item.name},
                           {"path", item.path},
                           {"category", std::string(model::rawValue(item.category))},
                           {"subcategory", item.subcategory},
                           {"sizeBytes", item.sizeBytes},
                           {"selected", item.isSelected},
                           {"safety", item.safetyLevel == model::SafetyLevel::safe ? "safe" : "review"},
                           {"friendlyName", item.friendlyName}};
    if (item.warningMessage) json["warning"] = *item.warningMessage;
    if (item.suggestedCommand) json["suggestedCommand"] = *item.suggestedCommand;
    return json;
}

void printGrouped(const engine::CleanerEngine::Items& items) {
    std::map<model::CategoryType, std::vector<const model::CleanItem*>> byCategory;
    for (const auto& item : items) byCategory[item.category].push_back(&item);
    std::int64_t total = 0;
    for (const auto& [category, members] : byCategory) {
        std::int64_t sum = 0;
        for (const auto* item : members) sum += item->sizeBytes;
        std::cout << model::rawValue(category) << " (" << platform::formatByteCount(sum) << ")\n";
        for (const auto* item : members) {
            std::cout << "  " << (item->isSelected ? "[x] " : "[ ] ") << item->name << "\t"
                      << platform::formatByteCount(item->sizeBytes) << "\t" << item->path << "\n";
            if (item->warningMessage) std::cout << "      " << *item->warningMessage << "\n";
            if (item->suggestedCommand) std::cout << "      $ " << *item->suggestedCommand << "\n";
        }
        total += sum;
    }
    std::cout << "Total: " << platform::formatByteCount(total) << " in " << items.size() << " items\n";
}

int runScan(const std::vector<std::string>& args) {
    Arguments arguments(args);
    const auto layout = hostLayout(arguments);
    std::optional<model::CategoryType> category;
    if (auto name = arguments.option("--category")) {
        category = model::categoryFromRaw(*name);
        if (!category) {
            std::cerr << "zentrel-cli: no category is named \"" << *name << "\"\n";
            return 2;
        }
    }

    ScanSetup setup(layout);
    const bool json = arguments.flag("--json");
    const auto items = category ? setup.categoryScan(*category) : setup.fullScan(json);

    if (json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& item : items) list.push_back(itemJson(item));
        std::cout << list.dump(2) << "\n";
    } else {
        printGrouped(items);
    }
    return 0;
}

CliCommandRegistration scan{{"scan", "scan [--home DIR [--system-root DIR]] [--category NAME] [--json]",
                             "Scan for junk and list what could be cleaned, by category (reads only)", runScan}};

}  // namespace
}  // namespace zentrel::cli
