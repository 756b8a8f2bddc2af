#include "engine/ScanDateFormatter.hpp"

#include <unicode/datefmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace zentrel::engine {

struct ScanDateFormatter::Format {
    std::unique_ptr<icu::DateFormat> icuFormat;
};

namespace {

icu::DateFormat::EStyle icuStyle(ScanDateFormatter::Style style) {
    switch (style) {
    case ScanDateFormatter::Style::none: return icu::DateFormat::kNone;
    case ScanDateFormatter::Style::shortStyle: return icu::DateFormat::kShort;
    case ScanDateFormatter::Style::mediumStyle: return icu::DateFormat::kMedium;
    case ScanDateFormatter::Style::longStyle: return icu::DateFormat::kLong;
    }
    return icu::DateFormat::kNone;
}

}  // namespace

ScanDateFormatter::ScanDateFormatter(const std::string& language, const std::string& timeZone, Style dateStyle,
                                     Style timeStyle)
    : format_(std::make_unique<Format>()) {
    format_->icuFormat.reset(icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle), icuStyle(timeStyle),
                                                                     icu::Locale(language.c_str())));
    if (format_->icuFormat && !timeZone.empty()) {
        format_->icuFormat->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(timeZone)));
    }
}

ScanDateFormatter::~ScanDateFormatter() = default;

std::string ScanDateFormatter::format(platform::Date date) const {
    std::lock_guard lock(mutex_);
    if (!format_->icuFormat) return {};
    icu::UnicodeString text;
    format_->icuFormat->format(date.timeIntervalSince1970() * 1000.0, text);
    std::string result;
    text.toUTF8String(result);
    return result;
}

}  // namespace zentrel::engine
