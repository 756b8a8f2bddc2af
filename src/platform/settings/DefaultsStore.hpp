#pragma once
// A suite of user defaults: typed values under text keys. Like the platform's
// user defaults, nothing registers defaults: each reader supplies its own for
// a missing key, and the typed readers convert between numbers, booleans and
// text the way the platform does ("YES", "1" and non-zero numbers are true).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zentrel::platform {

using Bytes = std::vector<std::uint8_t>;
using DefaultsValue = std::variant<bool, std::int64_t, double, std::string, Bytes>;

class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    [[nodiscard]] virtual std::optional<DefaultsValue> value(std::string_view key) const = 0;
    virtual void set(std::string_view key, DefaultsValue value) = 0;
    virtual void remove(std::string_view key) = 0;
    [[nodiscard]] virtual std::vector<std::string> keys() const = 0;

    // Why the last change did not reach lasting storage; none when it did.
    [[nodiscard]] virtual std::optional<std::string> lastWriteError() const { return std::nullopt; }

    [[nodiscard]] bool contains(std::string_view key) const { return value(key).has_value(); }

    // Missing or unconvertible values read as false, 0, 0.0.
    [[nodiscard]] bool boolean(std::string_view key) const;
    [[nodiscard]] std::int64_t integer(std::string_view key) const;
    [[nodiscard]] double real(std::string_view key) const;
    // Text reads back text, and numbers as their decimal form; nullopt otherwise.
    [[nodiscard]] std::optional<std::string> string(std::string_view key) const;
    // Only stored bytes read back as data.
    [[nodiscard]] std::optional<Bytes> data(std::string_view key) const;

    void setBool(std::string_view key, bool v) { set(key, v); }
    void setInteger(std::string_view key, std::int64_t v) { set(key, v); }
    void setReal(std::string_view key, double v) { set(key, v); }
    void setString(std::string_view key, std::string v) { set(key, std::move(v)); }
    void setData(std::string_view key, Bytes v) { set(key, std::move(v)); }
};

// Helpers for values kept as JSON text in a data value.
[[nodiscard]] Bytes bytesOf(std::string_view text);
[[nodiscard]] std::string textOf(const Bytes& bytes);

}  // namespace zentrel::platform
