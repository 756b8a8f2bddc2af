#pragma once
// Case-insensitive regular expressions of injection rules, compiled once per
// pattern text and shared by every thread. A pattern that does not compile is
// remembered as such and never matches.

#include <unicode/uversion.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

U_NAMESPACE_BEGIN
class RegexPattern;
U_NAMESPACE_END

namespace zentrel::typing {

class RegexPatternCache final {
public:
    RegexPatternCache() = default;
    RegexPatternCache(const RegexPatternCache&) = delete;
    RegexPatternCache& operator=(const RegexPatternCache&) = delete;

    // The cache behind the rule engine's matching.
    [[nodiscard]] static RegexPatternCache& shared();

    // Whether `pattern` matches anywhere in `text`. False for a pattern that
    // does not compile and for a match that runs too long.
    [[nodiscard]] bool matchesAnywhere(std::string_view pattern, std::string_view text);

    [[nodiscard]] std::size_t size() const;

    // Patterns come from rules; this many is far beyond any real rule set,
    // and past it the cache starts afresh.
    static constexpr std::size_t kCapacity = 512;

private:
    // Null for a pattern that does not compile.
    std::shared_ptr<const icu::RegexPattern> compiled(std::string_view pattern);

    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const icu::RegexPattern>> patterns_;
};

}  // namespace zentrel::typing
