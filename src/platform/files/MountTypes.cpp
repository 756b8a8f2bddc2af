#include "platform/files/MountTypes.hpp"

#include "platform/files/AtomicFile.hpp"

#include <sys/sysmacros.h>

#include <array>
#include <sstream>

namespace zentrel::platform {

namespace {

// Types whose change times come from the image or the directory entry, or
// that have none; FUSE block devices are mostly NTFS or exFAT drivers.
constexpr std::array<std::string_view, 12> kWithoutOwnChangeTimes = {
    "squashfs", "iso9660", "udf", "cramfs", "romfs", "erofs", "vfat", "msdos", "fat", "exfat", "hfsplus", "fuseblk"};

}  // namespace

std::map<std::uint64_t, std::string> mountTypesByDevice(std::string_view mountinfo) {
    // "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue"
    std::map<std::uint64_t, std::string> types;
    std::istringstream lines{std::string(mountinfo)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, parent, device;
        fields >> id >> parent >> device;
        const auto colon = device.find(':');
        const auto separator = line.find(" - ");
        if (colon == std::string::npos || separator == std::string::npos) continue;
        std::istringstream after(line.substr(separator + 3));
        std::string type;
        after >> type;
        try {
            const auto major = std::stoul(device.substr(0, colon)), minor = std::stoul(device.substr(colon + 1));
            types[makedev(major, minor)] = type;
        } catch (const std::exception&) {
            // A line the kernel would not write: passed over.
        }
    }
    return types;
}

std::optional<std::string> mountTypeOfDevice(std::uint64_t device) {
    const auto list = readWholeFile("/proc/self/mountinfo");
    if (!list) return std::nullopt;
    const auto types = mountTypesByDevice(*list);
    const auto found = types.find(device);
    if (found == types.end()) return std::nullopt;
    return found->second;
}

bool keepsOwnChangeTimes(std::string_view mountType) {
    for (const auto type : kWithoutOwnChangeTimes)
        if (mountType == type) return false;
    return true;
}

bool deviceKeepsOwnChangeTimes(std::uint64_t device) {
    const auto type = mountTypeOfDevice(device);
    return type && keepsOwnChangeTimes(*type);
}

}  // namespace zentrel::platform
