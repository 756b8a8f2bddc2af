#include "ui/presenters/DiskInfo.hpp"

#include <sys/statvfs.h>

#include <algorithm>
#include <limits>

namespace zentrel::ui {
namespace {

std::int64_t bytes(unsigned long long blocks, unsigned long long blockSize) {
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    if (blockSize != 0 && blocks > kMax / blockSize) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(blocks * blockSize);
}

}  // namespace

std::optional<DiskInfo> DiskInfo::current(const std::string& path) {
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0) return std::nullopt;
    const auto blockSize = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
    return DiskInfo{bytes(volume.f_blocks, blockSize), bytes(volume.f_bavail, blockSize)};
}

double DiskInfo::usedFraction() const {
    if (totalBytes < 1) return 0.0;
    const double used = (static_cast<double>(totalBytes) - static_cast<double>(freeBytes)) / static_cast<double>(totalBytes);
    return std::clamp(used, 0.0, 1.0);
}

int DiskInfo::usedPercent() const { return static_cast<int>(usedFraction() * 100.0); }

UsageColor DiskInfo::usageColor() const {
    if (totalBytes < 1) return UsageColor::accent;
    if (freeBytes > totalBytes) return UsageColor::danger;
    const double used = (static_cast<double>(totalBytes) - static_cast<double>(freeBytes)) / static_cast<double>(totalBytes);
    if (used < 0.70) return UsageColor::accent;
    if (used < 0.85) return UsageColor::review;
    return UsageColor::danger;
}

}  // namespace zentrel::ui
