#pragma once
// The running IBus daemon's address, safe to ask from any thread. The
// library keeps the address it read last in one buffer that the next call
// frees, so two threads asking at once read freed memory; this asks under
// one lock and hands back a copy.

#include <optional>
#include <string>

namespace zentrel::platform {

// The address of this session's daemon, or nothing when none is known.
[[nodiscard]] std::optional<std::string> ibusAddress();

}  // namespace zentrel::platform
