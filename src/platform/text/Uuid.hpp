#pragma once
// Random (version 4) identifiers, written in the platform's upper-case form
// "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

class Uuid {
public:
    // The nil identifier, all zero bits.
    Uuid() = default;

    [[nodiscard]] static Uuid random();
    // Accepts upper- or lower-case text in the 8-4-4-4-12 form; nullopt otherwise.
    [[nodiscard]] static std::optional<Uuid> parse(std::string_view text);

    [[nodiscard]] std::string string() const;
    [[nodiscard]] bool isNil() const;
    [[nodiscard]] const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    auto operator<=>(const Uuid&) const = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace zentrel::platform

template <>
struct std::hash<zentrel::platform::Uuid> {
    std::size_t operator()(const zentrel::platform::Uuid& id) const noexcept;
};
