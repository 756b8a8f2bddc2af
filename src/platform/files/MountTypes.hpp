#pragma once
// The file-system type of mounted devices, from the kernel's list of this
// process's mounts (/proc/self/mountinfo), and whether a type keeps a change
// time of its own for every file. Read-only images (squashfs, ISO 9660...)
// and the FAT family stamp files with what the image or the directory entry
// says, so a rebuilt file there may carry its old times.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// Each device of the list (as a stat's st_dev) with its type.
[[nodiscard]] std::map<std::uint64_t, std::string> mountTypesByDevice(std::string_view mountinfo);
// The type the device is mounted with now; none when it is not listed.
[[nodiscard]] std::optional<std::string> mountTypeOfDevice(std::uint64_t device);
[[nodiscard]] bool keepsOwnChangeTimes(std::string_view mountType);
// Whether files on the device have change times of their own: false for an
// unlisted device.
[[nodiscard]] bool deviceKeepsOwnChangeTimes(std::uint64_t device);

}  // namespace zentrel::platform
