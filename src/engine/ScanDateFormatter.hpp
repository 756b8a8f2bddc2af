#pragma once
// Dates printed into scan item texts: the medium date style of the current
// language without a time ("Jan 5, 2024" in English), in the local time zone
// unless one is given.

#include "platform/text/Date.hpp"

#include <memory>
#include <mutex>
#include <string>

namespace zentrel::engine {

class ScanDateFormatter final {
public:
    enum class Style { none, shortStyle, mediumStyle, longStyle };

    // `timeZone` is an identifier such as "UTC"; empty means the local zone.
    // The scanners' dates are medium without a time; the report's are long
    // with a short time.
    explicit ScanDateFormatter(const std::string& language, const std::string& timeZone = {},
                               Style dateStyle = Style::mediumStyle, Style timeStyle = Style::none);
    ~ScanDateFormatter();
    ScanDateFormatter(const ScanDateFormatter&) = delete;
    ScanDateFormatter& operator=(const ScanDateFormatter&) = delete;

    [[nodiscard]] std::string format(platform::Date date) const;

private:
    struct Format;
    mutable std::mutex mutex_;  // the formatter is not safe to share between threads
    std::unique_ptr<Format> format_;
};

}  // namespace zentrel::engine
