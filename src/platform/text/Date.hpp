#pragma once
// A point in time as a count of seconds, like the platform's date value.
// JSON forms count from the reference date (2001-01-01 00:00:00 UTC); scalar
// values in the defaults count from 1970.

#include <compare>

namespace zentrel::platform {

// Seconds between 1970-01-01 and 2001-01-01, both UTC.
inline constexpr double kReferenceDateOffset = 978307200.0;

class Date {
public:
    constexpr Date() = default;

    static constexpr Date fromTimeIntervalSince1970(double seconds) { return Date(seconds); }
    static constexpr Date fromTimeIntervalSinceReferenceDate(double seconds) {
        return Date(seconds + kReferenceDateOffset);
    }
    // 0001-01-01 00:00:00 UTC, the platform's "distant past".
    static constexpr Date distantPast() { return Date(-62135596800.0); }
    // 4001-01-01 00:00:00 UTC, the platform's "distant future".
    static constexpr Date distantFuture() { return Date(64092211200.0); }

    constexpr double timeIntervalSince1970() const { return seconds_; }
    constexpr double timeIntervalSinceReferenceDate() const { return seconds_ - kReferenceDateOffset; }
    constexpr double timeIntervalSince(Date other) const { return seconds_ - other.seconds_; }
    constexpr Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

    constexpr auto operator<=>(const Date&) const = default;

private:
    constexpr explicit Date(double seconds) : seconds_(seconds) {}
    double seconds_ = 0.0;
};

}  // namespace zentrel::platform
