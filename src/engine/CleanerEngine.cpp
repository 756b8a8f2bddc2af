#include "engine/CleanerEngine.hpp"

#include "model/PathClaims.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>

namespace zentrel::engine {

namespace {

using model::CategoryType;

struct Phase {
    std::string message;
    ScannerID scanner;
};

constexpr std::pair<CategoryType, const char*> kLabels[] = {
    {CategoryType::xcode, "Scanning Xcode..."},
    {CategoryType::devTools, "Scanning Dev Tools..."},
    {CategoryType::devProjects, "Scanning Projects..."},
    {CategoryType::appCaches, "Scanning App Caches..."},
    {CategoryType::systemCaches, "Scanning System Caches..."},
    {CategoryType::trash, "Scanning Trash..."},
    {CategoryType::largeFiles, "Scanning Large Files..."},
    {CategoryType::iosBackups, "Scanning iOS Backups..."},
    {CategoryType::duplicates, "Scanning duplicates..."},
    {CategoryType::privacy, "Scanning privacy..."},
    {CategoryType::startup, "Scanning startup items..."},
    {CategoryType::icloud, "Scanning iCloud..."},
};

CategoryType categoryOf(ScannerID id) {
    for (auto category : model::kAllCategories)
        if (CleanerEngine::scannerFor(category) == id) return category;
    return CategoryType::appCaches;  // Mail
}

}  // namespace

CleanerEngine::CleanerEngine(const platform::FileSystem& fileSystem, platform::Executor& pool,
                             platform::MainQueue& main, std::string language)
    : fileSystem_(fileSystem), pool_(pool), executor_(pool), main_(main), scanDateFormatter_(language) {}

std::optional<scanners::CandidateLimitStop> CleanerEngine::duplicateWalkStop() const {
    const std::lock_guard lock(duplicateWalkStopMutex_);
    return duplicateWalkStop_;
}

std::size_t CleanerEngine::duplicatePicturesTooLarge() const {
    const std::lock_guard lock(duplicateWalkStopMutex_);
    return duplicatePicturesTooLarge_;
}

std::vector<scanners::CappedSizeGroup> CleanerEngine::duplicateCappedSizes() const {
    const std::lock_guard lock(duplicateWalkStopMutex_);
    return duplicateCappedSizes_;
}

void CleanerEngine::setDuplicateWalkStop(std::optional<scanners::CandidateLimitStop> stop, std::size_t picturesTooLarge,
                                         std::vector<scanners::CappedSizeGroup> cappedSizes) {
    const std::lock_guard lock(duplicateWalkStopMutex_);
    duplicateWalkStop_ = std::move(stop);
    duplicatePicturesTooLarge_ = picturesTooLarge;
    duplicateCappedSizes_ = std::move(cappedSizes);
}

void CleanerEngine::setScanner(ScannerID id, ScannerOperation operation) {
    scanners_[static_cast<std::size_t>(id)] = std::move(operation);
}

void CleanerEngine::setCategories(std::vector<CategoryType> categories) {
    std::ranges::sort(categories);
    categories.erase(std::unique(categories.begin(), categories.end()), categories.end());
    categories_ = std::move(categories);
}

bool CleanerEngine::hasCategory(CategoryType category) const {
    return std::ranges::binary_search(categories_, category);
}

CleanerEngine::Items CleanerEngine::runScanner(ScannerID id) {
    const auto& operation = scanners_[static_cast<std::size_t>(id)];
    return operation ? operation(*this) : Items{};
}

CleanerEngine::Items CleanerEngine::runFullScan(bool includeUserContent, bool includeExtended,
                                                const ProgressHandler& progress) {
    sizeCache_.clear();
    std::vector<Phase> phases = {
        {platform::localized("Scanning Xcode..."), ScannerID::xcode},
        {platform::localized("Scanning Dev Tools..."), ScannerID::devTools},
        {platform::localized("Scanning App Caches..."), ScannerID::appCaches},
        {platform::localized("Scanning System Caches..."), ScannerID::systemCaches},
        {platform::localized("Scanning Trash..."), ScannerID::trashAndDownloads},
        {platform::localized("Scanning iOS Backups..."), ScannerID::iosBackups},
    };
    if (includeUserContent) {
        phases.push_back({platform::localized("Scanning Projects..."), ScannerID::devProjects});
        phases.push_back({platform::localized("Scanning Large Files..."), ScannerID::largeFiles});
        phases.push_back({platform::localized("Scanning Mail..."), ScannerID::mail});
    }
    if (includeExtended) {
        phases.push_back({platform::localized("Scanning duplicates..."), ScannerID::duplicates});
        phases.push_back({platform::localized("Scanning privacy..."), ScannerID::privacy});
        phases.push_back({platform::localized("Scanning startup items..."), ScannerID::startupItems});
        phases.push_back({platform::localized("Scanning iCloud..."), ScannerID::icloud});
    }
    // Mail belongs with the app caches.
    std::erase_if(phases, [this](const Phase& phase) {
        return !hasCategory(phase.scanner == ScannerID::mail ? CategoryType::appCaches : categoryOf(phase.scanner));
    });

    // Reports go to the main thread in phase order; the scan does not wait for them.
    auto report = [&](double fraction, std::string message) {
        if (progress) main_.post([progress, fraction, message = std::move(message)] { progress(fraction, message); });
    };
    const double total = static_cast<double>(std::max<std::size_t>(phases.size(), 1));
    Items items;
    for (std::size_t position = 0; position < phases.size(); ++position) {
        report(static_cast<double>(position) / total, phases[position].message);
        auto found = runScanner(phases[position].scanner);
        items.insert(items.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    report(1.0, platform::localized("Scan complete"));
    return countFilesOnce(model::claimPaths(std::move(items)));
}

void CleanerEngine::scanCategories(bool includeUserContent, bool includeExtended, ProgressHandler progress,
                                   std::function<void(Items)> done) {
    executor_.run(
        main_,
        [this, includeUserContent, includeExtended, progress = std::move(progress)] {
            return runFullScan(includeUserContent, includeExtended, progress);
        },
        std::move(done));
}

ScannerID CleanerEngine::scannerFor(CategoryType category) {
    switch (category) {
    case CategoryType::xcode: return ScannerID::xcode;
    case CategoryType::devTools: return ScannerID::devTools;
    case CategoryType::devProjects: return ScannerID::devProjects;
    case CategoryType::appCaches: return ScannerID::appCaches;
    case CategoryType::systemCaches: return ScannerID::systemCaches;
    case CategoryType::trash: return ScannerID::trashAndDownloads;
    case CategoryType::largeFiles: return ScannerID::largeFiles;
    case CategoryType::iosBackups: return ScannerID::iosBackups;
    case CategoryType::duplicates: return ScannerID::duplicates;
    case CategoryType::privacy: return ScannerID::privacy;
    case CategoryType::startup: return ScannerID::startupItems;
    case CategoryType::icloud: return ScannerID::icloud;
    }
    return ScannerID::xcode;
}

void CleanerEngine::scanCategory(CategoryType category, std::function<void(Items)> done) {
    const auto id = scannerFor(category);
    const bool scanned = hasCategory(category);
    executor_.run(main_, [this, id, scanned] { return scanned ? runScanner(id) : Items{}; }, std::move(done));
}

void CleanerEngine::cleanItems(Items items, CleaningProgressHandler progress, std::function<void(DeleteResult)> done) {
    if (cleanServices_ == nullptr) throw std::logic_error("The engine cannot clean before its clean services are set.");
    startCleanRun(*this, *cleanServices_, std::move(items), std::move(progress), std::move(done));
}

std::string CleanerEngine::scanningLabel(CategoryType category) {
    for (const auto& [candidate, label] : kLabels)
        if (candidate == category) return platform::localized(label);
    return {};
}

std::int64_t CleanerEngine::cachedSize(const std::string& path) {
    if (auto found = sizeCache_.find(path); found != sizeCache_.end()) return found->second;
    const auto size = allocatedSizeOfPath(path);
    sizeCache_.emplace(path, size);
    return size;
}

CleanerEngine::Items CleanerEngine::countFilesOnce(Items items) const {
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    for (auto& item : items) {
        if (item.path.empty() || item.isDuplicateKeeper) continue;
        const auto attributes = fileSystem_.attributes(item.path);
        if (!attributes || !attributes->isRegularFile() || attributes->linkCount < 2) continue;
        if (!seen.emplace(attributes->identity.device, attributes->identity.inode).second) item.sizeBytes = 0;
    }
    return items;
}

std::int64_t CleanerEngine::fileBytes(const platform::FileAttributes& attributes) {
    return std::min(attributes.size, attributes.allocatedSize);
}

std::int64_t CleanerEngine::allocatedSizeOfPath(const std::string& path) const {
    if (!fileSystem_.exists(path)) return 0;
    if (auto attributes = fileSystem_.attributes(path); attributes && !attributes->isDirectory()) {
        return fileBytes(*attributes);
    }
    return fileSystem_.diskUsage(path, &pool_);
}

}  // namespace zentrel::engine
