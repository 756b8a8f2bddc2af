#pragma once
// Warnings on standard output, each line prefixed "[Zentrel] ". Tests swap the
// sink to read what was printed.

#include <functional>
#include <string>
#include <string_view>

namespace zentrel::platform {

inline constexpr std::string_view kWarningPrefix = "[Zentrel] ";

// Prints kWarningPrefix, the message and a newline through the current sink.
void warn(std::string_view message);

using WarningSink = std::function<void(const std::string& line)>;
// Replaces the sink (standard output when empty) and returns the previous one.
WarningSink setWarningSink(WarningSink sink);

}  // namespace zentrel::platform
