#pragma once
// The phase of the scan-and-clean workflow. Equal when the same phase with
// equal payloads, so an unchanged state never refreshes a screen.

#include "model/CategoryType.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace zentrel::model {

namespace scan_state {
struct Idle {
    bool operator==(const Idle&) const = default;
};
struct Scanning {
    double progress = 0.0;  // 0 to 1
    std::string message;
    bool operator==(const Scanning&) const = default;
};
struct Cleaning {
    double progress = 0.0;  // 0 to 1
    bool operator==(const Cleaning&) const = default;
};
struct Cleaned {
    std::int64_t freedBytes = 0;
    // The category whose page cleaned; none: a clean across every category.
    std::optional<CategoryType> category;
    // Tracker cookies it removed: they free no space, so they are counted.
    std::int64_t trackerCookies = 0;
    bool operator==(const Cleaned&) const = default;
};
struct Error {
    std::string message;
    bool operator==(const Error&) const = default;
};
struct Done {
    bool operator==(const Done&) const = default;
};
}  // namespace scan_state

using ScanState = std::variant<scan_state::Idle, scan_state::Scanning, scan_state::Cleaning, scan_state::Cleaned,
                               scan_state::Error, scan_state::Done>;

}  // namespace zentrel::model
