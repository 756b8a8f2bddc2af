#pragma once
// The /proc process list and the parsers of the /proc text formats that more
// than one reader needs.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::services::procfs {

// "MemTotal:  16318480 kB" lines as a map from name to bytes.
[[nodiscard]] std::map<std::string, std::int64_t, std::less<>> parseMeminfo(std::string_view text);

// The fields of /proc/PID/stat after the command name, which is in parentheses
// and may itself hold spaces and parentheses: element 0 is the state (field 3
// of the format), element 1 the parent pid, and so on.
[[nodiscard]] std::vector<std::string_view> statFieldsAfterName(std::string_view text);

// Index in those fields of the start time (field 22), in clock ticks after boot.
inline constexpr std::size_t kStartTimeField = 19;
// The start time of the process whose /proc/PID/stat text this is. With the
// pid it names one process for good: a pid used again has another start time.
[[nodiscard]] std::optional<std::uint64_t> startTime(std::string_view statText);

// The unsigned decimal number at the start of `text`; nullopt when there is none.
[[nodiscard]] std::optional<std::uint64_t> parseUnsigned(std::string_view text);

// The pids of the numbered folders of a /proc root, in ascending order.
[[nodiscard]] std::vector<std::int32_t> listProcessIds(const std::string& procRoot);

}  // namespace zentrel::services::procfs
