#include "services/energy/EnergyStore.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace zentrel::services {

using nlohmann::json;

EnergyStore::EnergyStore(platform::DefaultsStore& defaults, const platform::Clock& clock)
    : defaults_(defaults), clock_(clock) {
    std::lock_guard guard(lock_);
    offenderScores_ = loadScores();
    resetIfNewDayLocked();
}

std::string EnergyStore::todayKey() const { return model::DailyEnergyDigest::dayKey(clock_.now()); }

model::DailyEnergyDigest EnergyStore::emptyDigest() const {
    model::DailyEnergyDigest digest;
    digest.day = todayKey();
    digest.lastUpdated = clock_.now();
    return digest;
}

EnergyStore::Scores EnergyStore::loadScores() const {
    const auto data = defaults_.data(kScoresKey);
    if (!data) return {};
    const json decoded = json::parse(platform::textOf(*data), nullptr, false);
    if (!decoded.is_object()) return {};
    Scores scores;
    for (const auto& [key, value] : decoded.items()) {
        if (!value.is_object() || !value.contains("name") || !value.contains("score") || !value["name"].is_string() ||
            !value["score"].is_number())
            return {};  // undecodable data counts as none
        scores[key] = Offender{value["name"].get<std::string>(), value["score"].get<double>()};
    }
    return scores;
}

void EnergyStore::saveScores() const {
    json encoded = json::object();
    for (const auto& [key, offender] : offenderScores_) encoded[key] = {{"name", offender.name}, {"score", offender.score}};
    try {
        defaults_.setData(kScoresKey, platform::bytesOf(encoded.dump()));
    } catch (const json::exception&) {
        // Text that is not valid UTF-8 cannot be encoded; the stored scores stay as they were.
    }
}

void EnergyStore::saveDailyDigest(const model::DailyEnergyDigest& digest) const {
    defaults_.setData(kDigestKey, platform::bytesOf(model::toJson(digest).dump()));
}

void EnergyStore::resetIfNewDay() {
    std::lock_guard guard(lock_);
    resetIfNewDayLocked();
}

void EnergyStore::resetIfNewDayLocked() {
    const std::string today = todayKey();
    if (defaults_.string(kLastDigestDayKey) == today) return;
    offenderScores_.clear();
    saveScores();
    saveDailyDigest(emptyDigest());
    defaults_.setString(kLastDigestDayKey, today);
}

model::DailyEnergyDigest EnergyStore::loadDailyDigest() const {
    std::lock_guard guard(lock_);
    return loadDailyDigestLocked();
}

model::DailyEnergyDigest EnergyStore::loadDailyDigestLocked() const {
    if (const auto data = defaults_.data(kDigestKey)) {
        auto digest = model::dailyEnergyDigestFromJson(platform::textOf(*data));
        if (digest && digest->day == todayKey()) return *digest;
    }
    return emptyDigest();
}

model::DailyEnergyDigest EnergyStore::todayDigest() {
    std::lock_guard guard(lock_);
    resetIfNewDayLocked();
    return loadDailyDigestLocked();
}

std::vector<model::EnergyOffenderRecord> EnergyStore::topOffenders(std::size_t limit) const {
    std::lock_guard guard(lock_);
    return topOffendersLocked(limit);
}

std::vector<model::EnergyOffenderRecord> EnergyStore::topOffendersLocked(std::size_t limit) const {
    std::vector<model::EnergyOffenderRecord> records;
    for (const auto& [key, offender] : offenderScores_) {
        model::EnergyOffenderRecord record;
        record.bundleID = key;
        record.name = offender.name;
        record.accumulatedScore = offender.score;
        records.push_back(std::move(record));
    }
    std::sort(records.begin(), records.end(),
              [](const auto& a, const auto& b) { return a.accumulatedScore > b.accumulatedScore; });
    if (records.size() > limit) records.resize(limit);
    return records;
}

void EnergyStore::record(const std::vector<model::ProcessEnergyReading>& readings, std::optional<double> packageWatts,
                         double interval) {
    std::lock_guard guard(lock_);
    resetIfNewDayLocked();
    for (const auto& reading : readings) {
        if (reading.energyScore <= kScoreFloor) continue;
        auto& offender = offenderScores_[reading.bundleID.value_or(reading.name)];
        offender.score += reading.energyScore * interval;
        offender.name = reading.name;
    }
    if (packageWatts && *packageWatts > 0) {
        auto digest = loadDailyDigestLocked();
        digest.totalPackageJoules += interval * *packageWatts;
        digest.sampleCount += 1;
        digest.lastUpdated = clock_.now();
        digest.topOffenders = topOffendersLocked(kDigestOffenders);
        saveDailyDigest(digest);
    }
    saveScores();
}

}  // namespace zentrel::services
