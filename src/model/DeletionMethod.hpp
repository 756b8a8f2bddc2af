#pragma once
// How the clean run deletes one item. Only clearing tracker cookies carries
// data: the store, the hosts and the browser.

#include "model/BrowserKind.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::model {

struct TrackerCookieClearing {
    std::string storePath;
    std::vector<std::string> domains;  // order counts
    BrowserKind browser = BrowserKind::safari;

    bool operator==(const TrackerCookieClearing&) const = default;
};

class DeletionMethod {
public:
    enum class Kind { remove, evictICloud, truncateFile, clearPasteboard, emptyTrash, clearDirectoryContents, clearTrackerCookies };

    [[nodiscard]] static DeletionMethod remove() { return DeletionMethod(Kind::remove); }
    [[nodiscard]] static DeletionMethod evictICloud() { return DeletionMethod(Kind::evictICloud); }
    [[nodiscard]] static DeletionMethod truncateFile() { return DeletionMethod(Kind::truncateFile); }
    [[nodiscard]] static DeletionMethod clearPasteboard() { return DeletionMethod(Kind::clearPasteboard); }
    [[nodiscard]] static DeletionMethod emptyTrash() { return DeletionMethod(Kind::emptyTrash); }
    [[nodiscard]] static DeletionMethod clearDirectoryContents() { return DeletionMethod(Kind::clearDirectoryContents); }
    [[nodiscard]] static DeletionMethod clearTrackerCookies(std::string storePath, std::vector<std::string> domains,
                                                           BrowserKind browser) {
        DeletionMethod method(Kind::clearTrackerCookies);
        method.cookies_ = TrackerCookieClearing{std::move(storePath), std::move(domains), browser};
        return method;
    }

    [[nodiscard]] Kind kind() const { return kind_; }
    // The payload of clearTrackerCookies; none for the other methods.
    [[nodiscard]] const std::optional<TrackerCookieClearing>& trackerCookies() const { return cookies_; }

    bool operator==(const DeletionMethod&) const = default;

private:
    explicit DeletionMethod(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::optional<TrackerCookieClearing> cookies_;
};

}  // namespace zentrel::model
