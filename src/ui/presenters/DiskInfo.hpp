#pragma once
// The capacity of the volume that holds the user's home folder, as the
// overview's storage card and the tray's disk header show it: total and
// free bytes, the used share and the colour that share is drawn in.

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::ui {

enum class UsageColor { accent, review, danger };

struct DiskInfo {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;

    // The volume of `path` (statvfs): its size and the space an ordinary
    // user may still write; none when the volume cannot be read.
    [[nodiscard]] static std::optional<DiskInfo> current(const std::string& path);

    // (total - free) / total within 0 and 1; 0 for a total below 1.
    [[nodiscard]] double usedFraction() const;
    // The whole percent of the used fraction, 0 to 100.
    [[nodiscard]] int usedPercent() const;
    // Below 70 % used the accent, below 85 % amber, else red; red too when
    // the volume reports more free than total space; the accent for a total below 1.
    [[nodiscard]] UsageColor usageColor() const;

    bool operator==(const DiskInfo&) const = default;
};

}  // namespace zentrel::ui
