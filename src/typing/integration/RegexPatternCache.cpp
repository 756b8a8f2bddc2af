#include "typing/integration/RegexPatternCache.hpp"

#include <unicode/parseerr.h>
#include <unicode/regex.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

namespace zentrel::typing {

namespace {

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

// In steps of the match engine, roughly milliseconds: enough for any sane
// pattern over a title, while a runaway one cannot stall the engine's lock.
constexpr std::int32_t kMatchTimeLimit = 100;

}  // namespace

RegexPatternCache& RegexPatternCache::shared() {
    static RegexPatternCache cache;
    return cache;
}

std::shared_ptr<const icu::RegexPattern> RegexPatternCache::compiled(std::string_view pattern) {
    std::lock_guard lock(mutex_);
    auto found = patterns_.find(std::string(pattern));
    if (found != patterns_.end()) return found->second;
    if (patterns_.size() >= kCapacity) patterns_.clear();

    UParseError parseError{};
    UErrorCode status = U_ZERO_ERROR;
    std::shared_ptr<const icu::RegexPattern> made(
        icu::RegexPattern::compile(unicode(pattern), UREGEX_CASE_INSENSITIVE, parseError, status));
    if (U_FAILURE(status)) made.reset();
    patterns_.emplace(std::string(pattern), made);
    return made;
}

bool RegexPatternCache::matchesAnywhere(std::string_view pattern, std::string_view text) {
    auto regex = compiled(pattern);
    if (!regex) return false;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString input = unicode(text);
    std::unique_ptr<icu::RegexMatcher> matcher(regex->matcher(input, status));
    if (U_FAILURE(status) || !matcher) return false;
    matcher->setTimeLimit(kMatchTimeLimit, status);
    bool found = U_SUCCESS(status) && matcher->find(status);
    return found && U_SUCCESS(status);
}

std::size_t RegexPatternCache::size() const {
    std::lock_guard lock(mutex_);
    return patterns_.size();
}

}  // namespace zentrel::typing
