#include "model/UserPreferences.hpp"

#include "model/DecodingError.hpp"
#include "model/SharedEcosystemState.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/RelativeDateFormatter.hpp"
#include "platform/text/Warnings.hpp"

#include <cmath>
#include <iostream>
#include <limits>

namespace zentrel::model {

namespace {

constexpr std::string_view kViewMode = "viewMode";
constexpr std::string_view kCategoryTotals = "lastScanCategoryTotals";
constexpr std::string_view kCategoryDetails = "lastScanCategoryDetails";
constexpr std::string_view kPlan = "lastSmartCleanupPlan";
constexpr std::string_view kLastScanDate = "lastScanDate";
constexpr std::string_view kLastScanFoundBytes = "lastScanFoundBytes";
constexpr std::string_view kAutoScanEnabled = "autoScanEnabled";
constexpr std::string_view kAutoScanIntervalDays = "autoScanIntervalDays";
constexpr std::string_view kCleaningHistory = "cleaningHistory";
constexpr std::string_view kTotalFreedAllTime = "totalFreedAllTime";
constexpr std::string_view kSweepLog = "sweepLog";
constexpr std::string_view kUnreadableSweepLog = "sweepLogUnreadable";
constexpr std::string_view kEnergyDigestEnabled = "energyDigestEnabled";
constexpr std::string_view kAutomaticUpdateChecks = "automaticUpdateChecksEnabled";
constexpr std::string_view kMethod = "vietIMEMethod";
constexpr std::string_view kOptions = "vietIMEOptions";
constexpr std::string_view kRuleEngineEnabled = "vietIMERuleEngineEnabled";
constexpr std::string_view kIntegrationMode = "vietIMEIntegrationMode";
constexpr std::string_view kUseMarkedText = "vietIMEUseMarkedText";

constexpr int kDefaultAutoScanDays = 7;

void storeJson(platform::DefaultsStore& defaults, std::string_view key, const nlohmann::json& json) {
    defaults.setData(key, platform::bytesOf(json.dump()));
}

// Decodes with `decode`; none when missing, not JSON or not decodable.
template <class Decode>
auto decodedOrNone(const platform::DefaultsStore& defaults, std::string_view key, Decode decode)
    -> std::optional<decltype(decode(std::declval<const nlohmann::json&>()))> {
    auto json = storedJson(defaults, key);
    if (!json) return std::nullopt;
    try {
        return decode(*json);
    } catch (const DecodingError&) {
        return std::nullopt;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

bool booleanDefaultingToTrue(const platform::DefaultsStore& defaults, std::string_view key) {
    return !defaults.contains(key) || defaults.boolean(key);
}

}  // namespace

std::optional<nlohmann::json> storedJson(const platform::DefaultsStore& defaults, std::string_view key) {
    auto data = defaults.data(key);
    if (!data) return std::nullopt;
    auto json = nlohmann::json::parse(platform::textOf(*data), nullptr, /*allow_exceptions=*/false);
    if (json.is_discarded()) return std::nullopt;
    return json;
}

bool automaticUpdateChecksEnabled(const platform::DefaultsStore& defaults) {
    return booleanDefaultingToTrue(defaults, kAutomaticUpdateChecks);
}

std::int64_t truncatedBytes(double value) {
    constexpr double kLimit = 9.2e18;  // inside the signed 64-bit range
    if (!std::isfinite(value) || std::fabs(value) >= kLimit) return 0;
    return static_cast<std::int64_t>(std::trunc(value));
}

UserPreferences::UserPreferences(platform::DefaultsStore& defaults, const platform::Clock& clock,
                                 SharedEcosystemState& shared, std::string language)
    : defaults_(defaults), clock_(clock), shared_(shared), language_(std::move(language)) {
    shared_.syncScanSummary(*this);
}

void UserPreferences::setViewMode(ViewMode mode) {
    const bool changed = mode != viewMode();
    defaults_.setString(kViewMode, mode == ViewMode::advanced ? "advanced" : N_("recommended"));
    if (changed) viewModeChanged.emit(mode);
}

ViewMode UserPreferences::viewMode() const {
    return defaults_.string(kViewMode).value_or("") == "advanced" ? ViewMode::advanced : ViewMode::recommended;
}

std::map<CategoryType, std::int64_t> UserPreferences::lastScanCategoryTotals() const {
    std::map<CategoryType, std::int64_t> totals;
    auto json = storedJson(defaults_, kCategoryTotals);
    if (!json || !json->is_object()) return totals;
    for (const auto& [key, value] : json->items()) {
        // A value of another type makes the whole map unreadable.
        if (!value.is_number()) return {};
        if (auto category = categoryFromRaw(key)) totals[*category] = truncatedBytes(value.get<double>());
    }
    return totals;
}

void UserPreferences::setLastScanCategoryTotals(const std::map<CategoryType, std::int64_t>& totals) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& [category, bytes] : totals) object[std::string(rawValue(category))] = static_cast<double>(bytes);
    storeJson(defaults_, kCategoryTotals, object);
    defaults_.remove(kCategoryDetails);
}

std::map<CategoryType, StoredCategoryFigures> UserPreferences::lastScanCategoryFigures() const {
    std::map<CategoryType, StoredCategoryFigures> figures;
    for (const auto& [category, bytes] : lastScanCategoryTotals()) figures[category].bytes = bytes;
    // Counts and dates sit beside the totals; a field missing or of another type is unknown.
    const auto details = storedJson(defaults_, kCategoryDetails);
    if (!details || !details->is_object()) return figures;
    for (auto& [category, figure] : figures) {
        const auto entry = details->find(std::string(rawValue(category)));
        if (entry == details->end() || !entry->is_object()) continue;
        if (const auto items = entry->find("items"); items != entry->end() && items->is_number_integer())
            figure.itemCount = items->get<std::int64_t>();
        if (const auto date = entry->find("scannedAt"); date != entry->end() && date->is_number())
            figure.scannedAt = platform::Date::fromTimeIntervalSince1970(date->get<double>());
    }
    return figures;
}

void UserPreferences::setLastScanCategoryFigures(const std::map<CategoryType, StoredCategoryFigures>& figures) {
    std::map<CategoryType, std::int64_t> totals;
    nlohmann::json details = nlohmann::json::object();
    for (const auto& [category, figure] : figures) {
        totals[category] = figure.bytes;
        nlohmann::json entry = nlohmann::json::object();
        if (figure.itemCount) entry["items"] = *figure.itemCount;
        if (figure.scannedAt) entry["scannedAt"] = figure.scannedAt->timeIntervalSince1970();
        details[std::string(rawValue(category))] = std::move(entry);
    }
    setLastScanCategoryTotals(totals);
    storeJson(defaults_, kCategoryDetails, details);
}

std::optional<PersistedSmartCleanupPlan> UserPreferences::lastSmartCleanupPlan() const {
    return decodedOrNone(defaults_, kPlan, decodePlan);
}

void UserPreferences::setLastSmartCleanupPlan(const std::optional<PersistedSmartCleanupPlan>& plan) {
    if (!plan) {
        defaults_.remove(kPlan);
        return;
    }
    storeJson(defaults_, kPlan, encodePlan(*plan));
}

bool UserPreferences::hasSmartCleanupPlan() const {
    auto plan = lastSmartCleanupPlan();
    return plan && truncatedBytes(plan->totalBytes) > 0;
}

std::optional<std::string> UserPreferences::lastScanSummary(std::optional<std::int64_t> foundBytes) const {
    const double lastScan = defaults_.real(kLastScanDate);
    if (!(lastScan > 0)) return std::nullopt;
    const auto date = platform::Date::fromTimeIntervalSince1970(lastScan);
    const auto found =
        platform::formatByteCount(foundBytes.value_or(truncatedBytes(defaults_.real(kLastScanFoundBytes))));
    if (platform::isJustNow(date, clock_.now()))
        return platform::localizedFormat("Last scan just now \u00B7 found %@", {found});
    return platform::localizedFormat("Last scan %1$@ \u00B7 found %2$@",
                                     {platform::formatRelativeAbbreviated(date, clock_.now(), language_), found});
}

bool UserPreferences::isAutoScanDue() const {
    if (!defaults_.boolean(kAutoScanEnabled)) return false;
    const double lastScan = defaults_.real(kLastScanDate);
    if (!(lastScan > 0)) return true;
    const auto stored = defaults_.integer(kAutoScanIntervalDays);
    const double days = stored > 0 ? static_cast<double>(stored) : kDefaultAutoScanDays;
    return clock_.now().timeIntervalSince1970() - lastScan >= days * 24 * 3600;
}

std::vector<CleaningRecord> UserPreferences::cleaningHistory() const {
    return decodedOrNone(defaults_, kCleaningHistory, decodeCleaningHistory).value_or(std::vector<CleaningRecord>{});
}

void UserPreferences::setCleaningHistory(const std::vector<CleaningRecord>& history) {
    storeJson(defaults_, kCleaningHistory, encodeCleaningHistory(history));
}

void UserPreferences::recordCleaning(std::int64_t freedBytes) {
    auto history = cleaningHistory();
    history.push_back({clock_.now(), freedBytes});
    if (history.size() > kCleaningHistoryLimit) history.erase(history.begin(), history.end() - kCleaningHistoryLimit);
    setCleaningHistory(history);

    const auto total = truncatedBytes(defaults_.real(kTotalFreedAllTime));
    defaults_.setReal(kTotalFreedAllTime, static_cast<double>(total + freedBytes));
    shared_.syncScanSummary(*this);
}

StoredSweepLog UserPreferences::storedSweepLog() const {
    std::optional<std::string> text;
    if (defaults_.contains(kSweepLog)) text = platform::textOf(defaults_.data(kSweepLog).value_or(platform::Bytes{}));
    auto log = StoredSweepLog::decode(text);
    if (!log.readable) platform::warn("The sweep log could not be read; it is left as it is.");
    for (const auto& entry : log.entries) {
        if (!entry.record) platform::warn("Skipped a damaged sweep record: " + entry.damage);
    }
    return log;
}

void UserPreferences::storeSweepLog(const StoredSweepLog& log) {
    defaults_.setData(kSweepLog, platform::bytesOf(log.encode()));
}

std::vector<SweepRecord> UserPreferences::sweepLog() const { return storedSweepLog().records(); }

void UserPreferences::setSweepLog(const std::vector<SweepRecord>& log) { storeSweepLog(StoredSweepLog::of(log)); }

std::optional<std::string> UserPreferences::appendSweepRecord(const SweepRecord& record) {
    auto log = storedSweepLog();
    if (!log.readable) {
        // The new record has to be kept; what could not be read is set aside, not lost.
        if (auto unreadable = defaults_.value(kSweepLog)) defaults_.set(kUnreadableSweepLog, *unreadable);
        log = {};
    }
    log.entries.insert(log.entries.begin(), {record, {}, {}});
    if (log.entries.size() > kSweepLogLimit) log.entries.resize(kSweepLogLimit);
    storeSweepLog(log);
    return defaults_.lastWriteError();
}

void UserPreferences::adoptSweepRecords(const std::vector<SweepRecord>& records) {
    auto log = storedSweepLog();
    if (!log.readable) return;
    auto known = log.damagedRecordIDs();
    for (const auto& record : log.records()) known.insert(record.id);
    const auto now = clock_.now();
    std::vector<SweepRecord> adopted;
    for (const auto& record : records) {
        if (!known.contains(record.id) && !record.actions.empty() && !record.isExpired(now)) adopted.push_back(record);
    }
    if (adopted.empty()) return;
    for (const auto& record : adopted) log.entries.push_back({record, {}, {}});
    // Newest first, as appended.
    std::stable_sort(log.entries.begin(), log.entries.end(), [](const auto& a, const auto& b) {
        if (!a.record || !b.record) return false;
        return a.record->date.timeIntervalSince1970() > b.record->date.timeIntervalSince1970();
    });
    if (log.entries.size() > kSweepLogLimit) log.entries.resize(kSweepLogLimit);
    storeSweepLog(log);
}

void UserPreferences::pruneExpiredSweepRecords() {
    auto log = storedSweepLog();
    if (!log.readable) return;
    const auto now = clock_.now();
    std::erase_if(log.entries, [&](const StoredSweepLog::Entry& entry) { return entry.record && entry.record->isExpired(now); });
    storeSweepLog(log);
}

void UserPreferences::markSweepActionRestored(const platform::Uuid& recordID, const platform::Uuid& actionID) {
    auto log = storedSweepLog();
    auto entry = std::find_if(log.entries.begin(), log.entries.end(),
                              [&](const auto& e) { return e.record && e.record->id == recordID; });
    if (entry == log.entries.end()) return;
    auto& actions = entry->record->actions;
    auto action = std::find_if(actions.begin(), actions.end(), [&](const auto& a) { return a.id == actionID; });
    if (action == actions.end()) return;
    action->isRestored = true;
    storeSweepLog(log);
}

std::set<platform::Uuid> UserPreferences::sweepIDsInLog() const {
    const auto log = storedSweepLog();
    auto ids = log.damagedRecordIDs();
    for (const auto& record : log.records()) ids.insert(record.id);
    return ids;
}

std::optional<std::set<platform::Uuid>> UserPreferences::sweepIDsWithBackupsInUse() const {
    const auto log = storedSweepLog();
    if (!log.readable) return std::nullopt;
    auto ids = log.damagedRecordIDs();
    const auto now = clock_.now();
    for (const auto& record : log.records()) {
        const bool undoable = std::any_of(record.actions.begin(), record.actions.end(),
                                          [](const SweepAction& action) { return !action.isRestored; });
        if (undoable && !record.isExpired(now)) ids.insert(record.id);
    }
    return ids;
}

bool UserPreferences::booleanDefaultingToTrue(std::string_view key) const {
    return model::booleanDefaultingToTrue(defaults_, key);
}

bool UserPreferences::energyDigestEnabled() const { return booleanDefaultingToTrue(kEnergyDigestEnabled); }
bool UserPreferences::automaticUpdateChecksEnabled() const { return model::automaticUpdateChecksEnabled(defaults_); }

void UserPreferences::setAutomaticUpdateChecksEnabled(bool enabled) {
    const bool changed = enabled != automaticUpdateChecksEnabled();
    defaults_.setBool(kAutomaticUpdateChecks, enabled);
    if (changed) automaticUpdateChecksChanged.emit(enabled);
}

bool UserPreferences::vietIMERuleEngineEnabled() const { return booleanDefaultingToTrue(kRuleEngineEnabled); }
bool UserPreferences::vietIMEUseMarkedText() const { return booleanDefaultingToTrue(kUseMarkedText); }

typing::VietInputMethod UserPreferences::vietIMEMethod() const {
    return typing::inputMethodFromRaw(defaults_.string(kMethod).value_or("")).value_or(typing::VietInputMethod::telex);
}

bool UserPreferences::hasChosenVietIMEIntegrationMode() const { return defaults_.string(kIntegrationMode).has_value(); }

typing::VietIMEIntegrationMode UserPreferences::vietIMEIntegrationMode() const {
    return typing::integrationModeFromRaw(defaults_.string(kIntegrationMode).value_or(""))
        .value_or(typing::VietIMEIntegrationMode::cgEvent);
}

typing::VietIMEOptions UserPreferences::vietIMEOptions() const {
    auto json = storedJson(defaults_, kOptions);
    if (!json) return typing::VietIMEOptions::defaultOptions;
    return typing::decodeStoredOptions(*json);
}

void UserPreferences::setVietIMEOptions(const typing::VietIMEOptions& options) {
    defaults_.setData(kOptions, platform::bytesOf(typing::encodeOptions(options).dump()));
}

std::optional<std::string> UserPreferences::setLaunchAtLogin(platform::LoginItemService& loginItems, bool enabled) {
    auto error = enabled ? loginItems.registerApp() : loginItems.unregisterApp();
    if (error) {
        std::cout << "[Zentrel] Failed to " << (enabled ? "register" : "unregister") << " login item: " << *error
                  << std::endl;
    }
    return error;
}

}  // namespace zentrel::model
