#include "engine/SafetyClassifier.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace zentrel::engine::SafetyClassifier {

namespace {

constexpr std::array<std::string_view, 5> kSharedRepoTools = {"maven", "gradle", "rust", "flutter", "android"};
constexpr std::array<std::string_view, 7> kSharedRepoFragments = {
    "/.m2/repository", "/.gradle/caches", "/.cargo/registry", "/.cargo/git", "/.pub-cache", "/.dart_tool",
    "/Android/sdk"};
constexpr std::string_view kHardlinkStoreFragment = "/pnpm/store";

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kPruneCommands = {{
    {"pnpm", "pnpm store prune"},
    {"npm", "npm cache verify"},
    {"yarn", "yarn cache clean"},
    {"pip", "pip cache purge"},
    {"gradle", N_("rm -rf ~/.gradle/caches  # Gradle re-downloads on next build")},
    {"maven", "mvn dependency:purge-local-repository"},
    {"rust", N_("cargo cache --autoclean  # needs: cargo install cargo-cache")},
    {"flutter", "flutter pub cache clean"},
    {"cocoapods", "pod cache clean --all"},
    {"homebrew", "brew cleanup -s"},
    {"android", N_("# Manage in Android Studio \u25B8 SDK Manager (re-downloads on demand)")},
}};

constexpr std::array<std::string_view, 9> kICloudPackageExtensions = {
    ".photoslibrary", ".tvlibrary", ".theater", ".app", ".framework", ".pages", ".key", ".numbers", ".rtfd"};

constexpr std::string_view kHardlinkStoreWarning =
    N_("Shared by all your projects (hardlinked). Reclaim space safely with the command below instead of deleting the "
    "whole store.");
constexpr std::string_view kSharedRepoWarning =
    N_("Shared by every project on this Mac \u2014 deleting forces all of them to re-download. Prune instead of wiping "
    "the whole folder.");
constexpr std::string_view kRecentUseWarning =
    N_("Used in the last %@ \u2014 a project may still rely on this. Review before deleting.");
constexpr std::string_view kDisposableWarning = N_("Package managers will re-download when needed");

std::string lowercased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The localized form of a text with one "%@" or "%lld" slot, filled in.
std::string localizedWith(std::string_view key, std::string_view slot, const std::string& value) {
    auto text = platform::localized(key);
    if (auto at = text.find(slot); at != std::string::npos) text.replace(at, slot.size(), value);
    return text;
}

}  // namespace

CacheKind cacheKind(std::string_view path, std::string_view tool) {
    const auto key = lowercased(tool);
    if (key == "pnpm" || contains(path, kHardlinkStoreFragment)) return CacheKind::sharedHardlinkStore;
    if (std::find(kSharedRepoTools.begin(), kSharedRepoTools.end(), key) != kSharedRepoTools.end())
        return CacheKind::sharedRepo;
    for (auto fragment : kSharedRepoFragments)
        if (contains(path, fragment)) return CacheKind::sharedRepo;
    return CacheKind::disposableCache;
}

std::string suggestedCommand(std::string_view tool) {
    const auto key = lowercased(tool);
    for (const auto& [name, command] : kPruneCommands) {
        // A command stays as it is typed; only its comment is for the reader.
        if (name != key) continue;
        return command.find('#') == std::string_view::npos ? std::string(command) : platform::localized(command);
    }
    return key + " cache clean";
}

std::string recentUseWarning(platform::Date lastUsed, platform::Date now) {
    const auto days = static_cast<long long>(std::trunc(now.timeIntervalSince(lastUsed) / 86400));
    if (days > 1) return localizedWith(N_COUNTED("%lld days"), "%lld", platform::formatCount(days));
    return platform::localized("day");
}

Verdict classify(std::string_view path, std::string_view tool, std::optional<platform::Date> lastUsed,
                 platform::Date now) {
    Verdict verdict;
    switch (cacheKind(path, tool)) {
    case CacheKind::sharedHardlinkStore:
        verdict.warning = platform::localized(kHardlinkStoreWarning);
        verdict.suggestedCommand = suggestedCommand(tool);
        return verdict;
    case CacheKind::sharedRepo:
        verdict.warning = platform::localized(kSharedRepoWarning);
        verdict.suggestedCommand = suggestedCommand(tool);
        return verdict;
    case CacheKind::disposableCache:
        break;
    }
    // A date in the future counts as recent.
    if (lastUsed && now.timeIntervalSince(*lastUsed) < kRecentUseSeconds) {
        verdict.warning = localizedWith(kRecentUseWarning, "%@", recentUseWarning(*lastUsed, now));
        return verdict;
    }
    verdict.disposition = Disposition::recommend;
    verdict.safetyLevel = model::SafetyLevel::safe;
    verdict.warning = platform::localized(kDisposableWarning);
    return verdict;
}

bool shouldSkipICloudItem(std::string_view path, bool isDownloaded) {
    if (!isDownloaded) return true;
    for (auto extension : kICloudPackageExtensions) {
        if (contains(path, std::string(extension) + "/") || path.ends_with(extension)) return true;
    }
    const auto slash = path.rfind('/');
    const auto name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (!name.starts_with('.')) return false;
    const auto dot = name.rfind('.');
    return dot != 0 && name.substr(dot + 1) == "icloud";
}

}  // namespace zentrel::engine::SafetyClassifier
