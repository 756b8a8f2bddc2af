#pragma once
// The typing settings the main app hands to the input-method program: one
// small JSON file, rewritten whole on every change.

#include "typing/engine/VietIMEOptions.hpp"
#include "typing/engine/VietInputMethod.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

struct VietIMESharedSnapshot {
    bool isEnabled = false;
    VietInputMethod inputMethod = VietInputMethod::telex;
    VietIMEOptions options = VietIMEOptions::defaultOptions;
    // Bundle identifiers of applications in which typing stays off.
    std::vector<std::string> excludedApps;
    // The input-method program shows the word being composed as marked text.
    bool useMarkedText = true;

    bool operator==(const VietIMESharedSnapshot&) const = default;
};

// Compact JSON, keys in ascending order at every level, every key written.
[[nodiscard]] std::string encodeSnapshot(const VietIMESharedSnapshot& snapshot);
// Strict: the five keys and the twelve option keys present with values of
// their types, or no value at all. Unknown keys are ignored.
[[nodiscard]] std::optional<VietIMESharedSnapshot> decodeSnapshot(std::string_view text);

}  // namespace zentrel::typing
