#pragma once
// Each application's energy score accumulated over the day, and the day's
// digest (package energy, sample count, worst offenders), kept in the user
// defaults. The scores belong to one day: the first record or check on a new
// day clears them and starts an empty digest. One lock guards the scores and
// the roll-over; every public operation takes it once and the helpers below
// never take it again.

#include "model/DailyEnergyDigest.hpp"
#include "model/EnergyOffenderRecord.hpp"
#include "model/ProcessEnergyReading.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/settings/DefaultsStore.hpp"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

class EnergyStore final {
public:
    static constexpr std::string_view kScoresKey = "energyOffenderScores";
    static constexpr std::string_view kDigestKey = "energyDailyDigest";
    static constexpr std::string_view kLastDigestDayKey = "energyLastDigestDay";
    // Readings at or below this score add nothing.
    static constexpr double kScoreFloor = 0.5;
    static constexpr std::size_t kDigestOffenders = 5;

    EnergyStore(platform::DefaultsStore& defaults, const platform::Clock& clock);
    EnergyStore(const EnergyStore&) = delete;
    EnergyStore& operator=(const EnergyStore&) = delete;

    // Adds each reading's score over `interval` seconds; with a package power
    // above 0 also adds its energy to the digest and counts one sample.
    void record(const std::vector<model::ProcessEnergyReading>& readings, std::optional<double> packageWatts,
                double interval);
    // Clears the scores and starts an empty digest when the day changed.
    void resetIfNewDay();
    // The stored digest when it is today's, else an empty one for today.
    [[nodiscard]] model::DailyEnergyDigest loadDailyDigest() const;
    // Today's digest after the day check: what the menu bar shows.
    [[nodiscard]] model::DailyEnergyDigest todayDigest();
    // Highest score first.
    [[nodiscard]] std::vector<model::EnergyOffenderRecord> topOffenders(std::size_t limit) const;

private:
    struct Offender {
        std::string name;
        double score = 0;
    };
    using Scores = std::map<std::string, Offender, std::less<>>;

    [[nodiscard]] std::string todayKey() const;
    [[nodiscard]] model::DailyEnergyDigest emptyDigest() const;
    [[nodiscard]] Scores loadScores() const;
    void saveScores() const;
    void saveDailyDigest(const model::DailyEnergyDigest& digest) const;
    void resetIfNewDayLocked();
    [[nodiscard]] model::DailyEnergyDigest loadDailyDigestLocked() const;
    [[nodiscard]] std::vector<model::EnergyOffenderRecord> topOffendersLocked(std::size_t limit) const;

    platform::DefaultsStore& defaults_;
    const platform::Clock& clock_;
    mutable std::mutex lock_;
    Scores offenderScores_;
};

}  // namespace zentrel::services
