#include "platform/text/LocalizedText.hpp"

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <memory>

namespace zentrel::platform {

namespace {

icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

// One collator per thread: ICU collators are not safe to share while comparing.
const icu::Collator* caseInsensitiveCollator() {
    thread_local std::unique_ptr<icu::Collator> collator = [] {
        // The C locale's "POSIX" variant orders by code point; it means no language was chosen.
        auto locale = icu::Locale::getDefault();
        if (std::string_view(locale.getName()).find("POSIX") != std::string_view::npos) locale = icu::Locale::getRoot();
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(locale, status));
        if (U_FAILURE(status)) return std::unique_ptr<icu::Collator>();
        made->setStrength(icu::Collator::SECONDARY);  // accents count, case does not
        return made;
    }();
    return collator.get();
}

}  // namespace

int localizedCaseInsensitiveCompare(std::string_view a, std::string_view b) {
    auto left = fromUtf8(a), right = fromUtf8(b);
    if (const auto* collator = caseInsensitiveCollator()) {
        UErrorCode status = U_ZERO_ERROR;
        auto result = collator->compare(left, right, status);
        if (U_SUCCESS(status)) return static_cast<int>(result);
    }
    return left.caseCompare(right, U_FOLD_CASE_DEFAULT);
}

bool localizedCaseInsensitiveContains(std::string_view text, std::string_view part) {
    if (part.empty()) return false;
    auto haystack = fromUtf8(text).foldCase();
    auto needle = fromUtf8(part).foldCase();
    return haystack.indexOf(needle) >= 0;
}

}  // namespace zentrel::platform
