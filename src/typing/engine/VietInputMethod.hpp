#pragma once
// The keyboard layout the engine reads: Telex, VNI or VIQR, stored as
// "Telex", "VNI", "VIQR".

#include <array>
#include <optional>
#include <string_view>

namespace zentrel::typing {

enum class VietInputMethod { telex, vni, viqr };

inline constexpr std::array<VietInputMethod, 3> kAllInputMethods = {VietInputMethod::telex, VietInputMethod::vni,
                                                                    VietInputMethod::viqr};

[[nodiscard]] constexpr std::string_view rawValue(VietInputMethod method) {
    switch (method) {
    case VietInputMethod::telex: return "Telex";
    case VietInputMethod::vni: return "VNI";
    case VietInputMethod::viqr: return "VIQR";
    }
    return "Telex";
}

// Exactly one of the three stored texts; anything else gives no value.
[[nodiscard]] constexpr std::optional<VietInputMethod> inputMethodFromRaw(std::string_view raw) {
    for (auto method : kAllInputMethods)
        if (rawValue(method) == raw) return method;
    return std::nullopt;
}

}  // namespace zentrel::typing
