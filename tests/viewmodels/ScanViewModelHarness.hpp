#pragma once
// A scan view model over scripted engine and journal doubles, on a fake
// clock and an in-memory settings store. The test decides when the engine
// answers.

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "services/desktop/NotificationManager.hpp"
#include "viewmodels/IntentBridge.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"

#include <deque>
#include <memory>

namespace zentrel::testing {

class ScriptedScanEngine final : public viewmodels::ScanEngine {
public:
    struct FullScan {
        bool includeUserContent;
        bool includeExtended;
        ScanProgress progress;
        std::function<void(Items)> done;
    };
    struct CategoryScan {
        model::CategoryType category;
        std::function<void(Items)> done;
    };
    struct Clean {
        Items items;
        engine::CleaningProgressHandler progress;
        std::function<void(engine::DeleteResult)> done;
    };

    void scanCategories(bool includeUserContent, bool includeExtended, ScanProgress progress,
                        std::function<void(Items)> done) override {
        fullScans.push_back({includeUserContent, includeExtended, std::move(progress), std::move(done)});
    }
    void scanCategory(model::CategoryType category, std::function<void(Items)> done) override {
        categoryScans.push_back({category, std::move(done)});
    }
    void cleanItems(Items items, engine::CleaningProgressHandler progress,
                    std::function<void(engine::DeleteResult)> done) override {
        cleans.push_back({std::move(items), std::move(progress), std::move(done)});
    }
    std::optional<scanners::CandidateLimitStop> duplicateWalkStop() const override { return walkStop; }
    std::size_t duplicatePicturesTooLarge() const override { return picturesTooLarge; }
    std::vector<scanners::CappedSizeGroup> duplicateCappedSizes() const override { return cappedSizes; }
    std::vector<model::CategoryType> categories() const override {
        return shownCategories ? *shownCategories : ScanEngine::categories();
    }

    std::deque<FullScan> fullScans;
    std::deque<CategoryScan> categoryScans;
    std::deque<Clean> cleans;
    std::optional<scanners::CandidateLimitStop> walkStop;
    std::size_t picturesTooLarge = 0;
    std::vector<scanners::CappedSizeGroup> cappedSizes;
    std::optional<std::vector<model::CategoryType>> shownCategories;  // all twelve when none
};

class ScriptedRestorer final : public viewmodels::SweepRestorer {
public:
    void restore(const model::SweepRecord&, const model::SweepAction& action, Done done) override {
        restored.push_back(action);
        auto undone = alsoUndone;
        undone.push_back(action.id);
        done(failure, failure ? std::vector<platform::Uuid>{} : undone, alreadyBack);
    }
    void purgeBackups(std::set<platform::Uuid> liveSweepIDs, std::set<platform::Uuid>) override {
        purges.push_back(std::move(liveSweepIDs));
    }
    void recordedSweeps(std::function<void(std::vector<model::SweepRecord>)> done) override { done(journalRecords); }
    std::vector<model::SweepRecord> journalRecords;  // what the journal keeps of sweeps cut short
    std::vector<model::SweepAction> restored;
    std::vector<platform::Uuid> alsoUndone;  // actions a whole store put back undoes too
    std::vector<std::set<platform::Uuid>> purges;
    std::optional<std::string> failure;
    bool alreadyBack = false;  // the store held the action's rows again
};

class RecordingNotifications final : public platform::UserNotificationCenter {
public:
    void add(const platform::UserNotification& notification) override { shown.push_back(notification); }
    std::vector<platform::UserNotification> shown;
};

class RecordingWidgets final : public platform::WidgetCenter {
public:
    void reloadTimelines(std::string_view kind) override { reloads.emplace_back(kind); }
    std::vector<std::string> reloads;
};

struct ScanViewModelHarness {
    InMemoryDefaultsStore standard;
    InMemoryDefaultsStore suite;
    FakeClock clock;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    RecordingNotifications notificationCenter;
    services::NotificationManager notifications{standard, notificationCenter, clock};
    RecordingWidgets widgets;
    ScriptedScanEngine engine;
    ScriptedRestorer restorer;

    // A full foreground scan of `viewModel` answered with `items`.
    void scanTo(viewmodels::ScanViewModel& viewModel, std::vector<model::CleanItem> items) {
        viewModel.startScan(false, true, false, false);
        engine.fullScans.back().done(std::move(items));
    }

    std::shared_ptr<viewmodels::ScanViewModel> make() {
        return std::make_shared<viewmodels::ScanViewModel>(
            viewmodels::ScanViewModelServices{engine, restorer, prefs, shared, notifications, widgets, clock});
    }
};

inline model::CleanItem scannedItem(std::string path, model::CategoryType category, std::int64_t size,
                                    bool safeRecommended = true) {
    model::CleanItem item;
    item.id = platform::Uuid::random();
    item.name = path.substr(path.rfind('/') + 1);
    item.path = std::move(path);
    item.category = category;
    item.sizeBytes = size;
    item.isRecommended = safeRecommended;
    item.isSelected = safeRecommended;
    item.safetyLevel = safeRecommended ? model::SafetyLevel::safe : model::SafetyLevel::review;
    return item;
}

}  // namespace zentrel::testing
