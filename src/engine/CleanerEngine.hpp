#pragma once
// The one engine of the junk scan and clean: the full scan that runs the
// category scanners in a fixed order of phases and reports progress, the
// per-category entry for on-demand scans, and the per-scan size cache every
// scanner sizes its paths through. Its operations run one at a time on its
// own serial executor; progress and results come back on the main queue.
//
// Category scanners are registered by the code that builds them; a scanner
// not registered finds nothing.

#include "engine/CleanRun.hpp"
#include "engine/ScanDateFormatter.hpp"
#include "model/CleanItem.hpp"
#include "model/DuplicateGroup.hpp"
#include "model/PrivacyGroup.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "platform/files/FileSystem.hpp"
#include "scanners/duplicates/DuplicateScanner.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::engine {

// Every scanner of a phase; Mail has no category of its own.
enum class ScannerID {
    xcode,
    devTools,
    devProjects,
    appCaches,
    systemCaches,
    trashAndDownloads,
    iosBackups,
    largeFiles,
    mail,
    duplicates,
    privacy,
    startupItems,
    icloud,
};

class CleanerEngine final {
public:
    using Items = std::vector<model::CleanItem>;
    // Runs on the engine's executor.
    using ScannerOperation = std::function<Items(CleanerEngine&)>;
    // Called on the main thread with a fraction (0 to 1) and a message.
    using ProgressHandler = std::function<void(double, const std::string&)>;

    CleanerEngine(const platform::FileSystem& fileSystem, platform::Executor& pool, platform::MainQueue& main,
                  std::string language = "en");
    CleanerEngine(const CleanerEngine&) = delete;
    CleanerEngine& operator=(const CleanerEngine&) = delete;

    void setScanner(ScannerID id, ScannerOperation operation);
    // The categories this desktop has a place for, in category order (all
    // twelve unless set): the others are never scanned or reported.
    void setCategories(std::vector<model::CategoryType> categories);
    [[nodiscard]] const std::vector<model::CategoryType>& categories() const { return categories_; }
    [[nodiscard]] bool hasCategory(model::CategoryType category) const;

    // Runs the phases on the engine and hands their items, in phase order, to
    // `done` on the main thread.
    void scanCategories(bool includeUserContent, bool includeExtended, ProgressHandler progress,
                        std::function<void(Items)> done);
    // The same, run where the caller is (the engine's executor, or a test).
    [[nodiscard]] Items runFullScan(bool includeUserContent, bool includeExtended, const ProgressHandler& progress);

    // The category's scanner, run on the engine, without clearing the size cache.
    void scanCategory(model::CategoryType category, std::function<void(Items)> done);
    [[nodiscard]] static ScannerID scannerFor(model::CategoryType category);
    [[nodiscard]] Items runScanner(ScannerID id);

    using DeleteResult = engine::DeleteResult;
    // What clean runs change besides plain files; set before the first run.
    // It must outlive the engine's runs.
    void setCleanServices(CleanServices& services) { cleanServices_ = &services; }
    // Deletes the items one after another on the engine. Each item's start
    // and end reach `progress` on the main thread, in order, then the result
    // reaches `done` there. A failed item never ends the run.
    void cleanItems(Items items, CleaningProgressHandler progress, std::function<void(DeleteResult)> done);

    // "Scanning Xcode...", localized.
    [[nodiscard]] static std::string scanningLabel(model::CategoryType category);

    // Sizes through the per-scan cache; on the engine only.
    [[nodiscard]] std::int64_t cachedSize(const std::string& path);
    // What a file or a folder takes on disk (`du -s`), which is what removing
    // it frees; a file never counts more than its logical size.
    [[nodiscard]] std::int64_t allocatedSizeOfPath(const std::string& path) const;
    // What removing one file frees: its blocks, so a sparse file counts the
    // little it holds, but never more than its logical size.
    [[nodiscard]] static std::int64_t fileBytes(const platform::FileAttributes& attributes);
    // A file listed under several of its names (hard links) counts once: the
    // first item keeps its size, the others list 0.
    [[nodiscard]] Items countFilesOnce(Items items) const;
    [[nodiscard]] std::size_t cachedSizeCount() const { return sizeCache_.size(); }
    // Before a category is scanned again, so its folders are measured anew.
    void clearSizeCache() { sizeCache_.clear(); }

    [[nodiscard]] const platform::FileSystem& fileSystem() const { return fileSystem_; }
    // Whether the entry is a symbolic link: scanners never offer one, since
    // what it points to may lie anywhere.
    [[nodiscard]] bool isSymbolicLink(const std::string& path) const {
        auto attributes = fileSystem_.attributes(path);
        return attributes && attributes->type == platform::FileType::symbolicLink;
    }
    [[nodiscard]] platform::SerialExecutor& executor() { return executor_; }
    // The task pool under the engine's executor: scanners spread file work over it.
    [[nodiscard]] platform::Executor& pool() { return pool_; }
    [[nodiscard]] platform::MainQueue& mainQueue() { return main_; }
    [[nodiscard]] const ScanDateFormatter& scanDateFormatter() const { return scanDateFormatter_; }

    // The groups of the last duplicates and privacy phases.
    std::vector<model::DuplicateGroup> cachedDuplicateGroups;
    std::vector<model::PrivacyGroup> cachedPrivacyGroups;
    // Where the last duplicates phase stopped at its candidate limit, if it
    // did; read from any thread.
    [[nodiscard]] std::optional<scanners::CandidateLimitStop> duplicateWalkStop() const;
    // The pictures the last duplicates phase left out for their size.
    [[nodiscard]] std::size_t duplicatePicturesTooLarge() const;
    // The sizes whose files the last duplicates phase did not all compare.
    [[nodiscard]] std::vector<scanners::CappedSizeGroup> duplicateCappedSizes() const;
    void setDuplicateWalkStop(std::optional<scanners::CandidateLimitStop> stop, std::size_t picturesTooLarge = 0,
                              std::vector<scanners::CappedSizeGroup> cappedSizes = {});

private:
    mutable std::mutex duplicateWalkStopMutex_;
    std::optional<scanners::CandidateLimitStop> duplicateWalkStop_;
    std::size_t duplicatePicturesTooLarge_ = 0;
    std::vector<scanners::CappedSizeGroup> duplicateCappedSizes_;
    const platform::FileSystem& fileSystem_;
    platform::Executor& pool_;
    platform::SerialExecutor executor_;
    platform::MainQueue& main_;
    std::map<std::string, std::int64_t> sizeCache_;
    ScanDateFormatter scanDateFormatter_;
    std::array<ScannerOperation, 13> scanners_;
    std::vector<model::CategoryType> categories_{model::kAllCategories.begin(), model::kAllCategories.end()};
    CleanServices* cleanServices_ = nullptr;
};

}  // namespace zentrel::engine
