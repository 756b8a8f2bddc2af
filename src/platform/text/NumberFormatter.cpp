#include "platform/text/NumberFormatter.hpp"

#include "platform/text/Localization.hpp"

#include <unicode/numberformatter.h>

#include <map>
#include <tuple>

namespace zentrel::platform {

namespace {

namespace number = icu::number;

// Formatters are costly to set up and figures are formatted per row, so each
// thread keeps the ones it made, by language and precision.
const number::LocalizedNumberFormatter& formatterFor(const std::string& language, int minFraction, int maxFraction,
                                                     bool percent) {
    using Key = std::tuple<std::string, int, int, bool>;
    thread_local std::map<Key, number::LocalizedNumberFormatter> made;
    Key key{language, minFraction, maxFraction, percent};
    auto found = made.find(key);
    if (found != made.end()) return found->second;
    auto settings = number::NumberFormatter::with()
                        .precision(number::Precision::minMaxFraction(minFraction, maxFraction))
                        .roundingMode(UNUM_ROUND_HALFUP)
                        .grouping(UNUM_GROUPING_AUTO);
    if (percent) settings = settings.unit(icu::MeasureUnit::getPercent());
    return made.emplace(key, settings.locale(icu::Locale(language.c_str()))).first->second;
}

// The text of what `formatter` made, empty where ICU failed.
std::string textOf(const number::FormattedNumber& formatted, UErrorCode status) {
    std::string text;
    if (U_SUCCESS(status)) formatted.toString(status).toUTF8String(text);
    return text;
}

std::string format(const number::LocalizedNumberFormatter& formatter, double value) {
    UErrorCode status = U_ZERO_ERROR;
    const auto formatted = formatter.formatDouble(value, status);
    return textOf(formatted, status);
}

std::string format(const number::LocalizedNumberFormatter& formatter, long long value) {
    UErrorCode status = U_ZERO_ERROR;
    const auto formatted = formatter.formatInt(static_cast<int64_t>(value), status);
    return textOf(formatted, status);
}

}  // namespace

std::string formatNumber(double value, int maxFractionDigits, int minFractionDigits) {
    const auto language = Localization::shared().language();
    return format(formatterFor(language, minFractionDigits, maxFractionDigits, false), value);
}

std::string formatCount(long long value) {
    return format(formatterFor(Localization::shared().language(), 0, 0, false), value);
}

std::string formatPercent(long long percent) {
    return format(formatterFor(Localization::shared().language(), 0, 0, true), percent);
}

}  // namespace zentrel::platform
