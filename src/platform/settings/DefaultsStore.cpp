#include "platform/settings/DefaultsStore.hpp"

#include <charconv>
#include <cmath>
#include <sstream>

namespace zentrel::platform {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang before 17).
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::optional<double> parseNumber(const std::string& text) {
    double parsed = 0.0;
    auto begin = text.data();
    auto end = text.data() + text.size();
    while (begin < end && *begin == ' ') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, parsed);
    if (ec != std::errc() || ptr == begin) return std::nullopt;
    return parsed;
}

bool textIsTrue(const std::string& text) {
    if (text == "YES" || text == "yes" || text == "true" || text == "TRUE") return true;
    auto number = parseNumber(text);
    return number && *number != 0.0;
}

std::int64_t clampToInteger(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547758e18) return INT64_MAX;
    if (v <= -9.2233720368547758e18) return INT64_MIN;
    return static_cast<std::int64_t>(v);
}

}  // namespace

bool DefaultsStore::boolean(std::string_view key) const {
    auto v = value(key);
    if (!v) return false;
    return std::visit(Overloaded{
                          [](bool b) { return b; },
                          [](std::int64_t i) { return i != 0; },
                          [](double d) { return d != 0.0; },
                          [](const std::string& s) { return textIsTrue(s); },
                          [](const Bytes&) { return false; },
                      },
                      *v);
}

std::int64_t DefaultsStore::integer(std::string_view key) const {
    auto v = value(key);
    if (!v) return 0;
    return std::visit(Overloaded{
                          [](bool b) -> std::int64_t { return b ? 1 : 0; },
                          [](std::int64_t i) { return i; },
                          [](double d) { return clampToInteger(d); },
                          [](const std::string& s) -> std::int64_t {
                              if (s == "YES" || s == "true") return 1;
                              auto n = parseNumber(s);
                              return n ? clampToInteger(*n) : 0;
                          },
                          [](const Bytes&) -> std::int64_t { return 0; },
                      },
                      *v);
}

double DefaultsStore::real(std::string_view key) const {
    auto v = value(key);
    if (!v) return 0.0;
    return std::visit(Overloaded{
                          [](bool b) { return b ? 1.0 : 0.0; },
                          [](std::int64_t i) { return static_cast<double>(i); },
                          [](double d) { return d; },
                          [](const std::string& s) {
                              if (s == "YES" || s == "true") return 1.0;
                              return parseNumber(s).value_or(0.0);
                          },
                          [](const Bytes&) { return 0.0; },
                      },
                      *v);
}

std::optional<std::string> DefaultsStore::string(std::string_view key) const {
    auto v = value(key);
    if (!v) return std::nullopt;
    return std::visit(Overloaded{
                          [](bool b) -> std::optional<std::string> { return b ? "1" : "0"; },
                          [](std::int64_t i) -> std::optional<std::string> { return std::to_string(i); },
                          [](double d) -> std::optional<std::string> {
                              std::ostringstream out;
                              out << d;
                              return out.str();
                          },
                          [](const std::string& s) -> std::optional<std::string> { return s; },
                          [](const Bytes&) -> std::optional<std::string> { return std::nullopt; },
                      },
                      *v);
}

std::optional<Bytes> DefaultsStore::data(std::string_view key) const {
    auto v = value(key);
    if (!v) return std::nullopt;
    if (auto bytes = std::get_if<Bytes>(&*v)) return *bytes;
    return std::nullopt;
}

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace zentrel::platform
