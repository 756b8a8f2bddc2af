#include "typing/integration/CaseInsensitiveText.hpp"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

namespace zentrel::typing {

namespace {

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

icu::UnicodeString folded(std::string_view text) { return unicode(text).foldCase(U_FOLD_CASE_DEFAULT); }

icu::UnicodeString lowered(std::string_view text) { return unicode(text).toLower(icu::Locale::getRoot()); }

}  // namespace

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    return folded(text).indexOf(folded(part)) >= 0;
}

bool hasPrefixIgnoringCase(std::string_view text, std::string_view affix) {
    return lowered(text).startsWith(lowered(affix));
}

bool hasSuffixIgnoringCase(std::string_view text, std::string_view affix) {
    return lowered(text).endsWith(lowered(affix));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return unicode(a).caseCompare(unicode(b), U_FOLD_CASE_DEFAULT) == 0;
}

}  // namespace zentrel::typing
