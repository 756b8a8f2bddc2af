#include "scanners/privacy/ClipboardInsight.hpp"

#include "platform/text/Localization.hpp"

#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace zentrel::scanners {

namespace {

constexpr std::size_t kClipboardLimit = 4000;
constexpr std::size_t kModelPromptLimit = 500;

const char* const kTokenPatterns[] = {
    "sk-[a-zA-Z0-9]{20,}",
    "ghp_[a-zA-Z0-9]{20,}",
    "xox[baprs]-[a-zA-Z0-9-]{10,}",
    "AKIA[0-9A-Z]{16}",
    "eyJ[a-zA-Z0-9_-]+\\.[a-zA-Z0-9_-]+\\.[a-zA-Z0-9_-]+",
};
const char* const kEmailPattern = "[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}";
const char* const kCardPattern = "\\b\\d{4}[\\s-]?\\d{4}[\\s-]?\\d{4}[\\s-]?\\d{4}\\b";

icu::UnicodeString unicode(const std::string& text) { return icu::UnicodeString::fromUTF8(text); }

bool found(const char* pattern, const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(new icu::RegexMatcher(icu::UnicodeString(pattern), text, 0, status));
    if (U_FAILURE(status)) return false;
    const bool matched = matcher->find(status);
    return U_SUCCESS(status) && matched;
}

// Trimmed of white space and line breaks at both ends.
icu::UnicodeString trimmed(const icu::UnicodeString& text) {
    int32_t begin = 0, end = text.length();
    while (begin < end && u_isUWhiteSpace(text.char32At(begin))) begin = text.moveIndex32(begin, 1);
    while (end > begin) {
        const int32_t previous = text.moveIndex32(end, -1);
        if (!u_isUWhiteSpace(text.char32At(previous))) break;
        end = previous;
    }
    return icu::UnicodeString(text, begin, end - begin);
}

bool looksLikePassword(const icu::UnicodeString& text) {
    const auto candidate = trimmed(text);
    const int32_t length = candidate.countChar32();
    if (length < 8 || length > 128 || candidate.indexOf(static_cast<UChar>(0x20)) >= 0) return false;
    bool upper = false, lower = false, digit = false;
    for (int32_t at = 0; at < candidate.length(); at = candidate.moveIndex32(at, 1)) {
        const UChar32 c = candidate.char32At(at);
        upper = upper || u_isupper(c);
        lower = lower || u_islower(c);
        digit = digit || u_isdigit(c);
    }
    return upper && lower && digit;
}

bool looksLikeCardNumber(const icu::UnicodeString& text) {
    int numerals = 0;
    for (int32_t at = 0; at < text.length(); at = text.moveIndex32(at, 1)) {
        const auto type = u_charType(text.char32At(at));
        if (type == U_DECIMAL_DIGIT_NUMBER || type == U_LETTER_NUMBER || type == U_OTHER_NUMBER) ++numerals;
    }
    return numerals >= 13 && numerals <= 19 && found(kCardPattern, text);
}

std::string lowercased(std::string text) {
    std::string lower;
    unicode(text).toLower().toUTF8String(lower);
    return lower;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string trimmedUtf8(const std::string& text) {
    std::string result;
    trimmed(unicode(text)).toUTF8String(result);
    return result;
}

}  // namespace

std::string readPasteboardString(const platform::Clipboard& clipboard) {
    auto text = clipboard.text();
    if (!text || text->empty()) return {};
    return platform::prefixOfCharacters(*text, kClipboardLimit);
}

PatternFindings detectSensitivePatterns(const std::string& text) {
    const auto unicodeText = unicode(text);
    std::vector<std::string> findings;
    if (looksLikePassword(unicodeText)) findings.push_back(platform::localized("Possible password"));
    if (std::any_of(std::begin(kTokenPatterns), std::end(kTokenPatterns),
                    [&](const char* pattern) { return found(pattern, unicodeText); })) {
        findings.push_back(platform::localized("Possible API key or token"));
    }
    if (found(kEmailPattern, unicodeText)) findings.push_back(platform::localized("Email address"));
    if (lowercased(text).find("http") != std::string::npos && text.find("://") != std::string::npos) {
        findings.push_back(platform::localized("URL with tracking potential"));
    }
    if (looksLikeCardNumber(unicodeText)) findings.push_back(platform::localized("Possible card number"));

    if (findings.empty()) return {platform::localized("No sensitive patterns detected in clipboard"), false, {}};
    std::string summary = platform::localized("Detected: %@");
    if (auto slot = summary.find("%@"); slot != std::string::npos) {
        summary.replace(slot, 2, joined(findings));
    } else {
        summary.append(" ").append(joined(findings));  // a translation without its slot
    }
    return {summary, true, findings};
}

std::optional<PatternFindings> analyzeClipboardWithLanguageModel(const std::string& text, LanguageModel* model) {
    if (!model || !model->isAvailable()) return std::nullopt;
    const std::string instructions =
        "You analyze clipboard text for privacy risks on-device.\n"
        "Identify: passwords, API keys, tokens, emails, credit card numbers, tracking URLs.\n"
        "Respond in one short sentence listing findings only. If nothing sensitive, say \"No sensitive content\".\n"
        "Never repeat the full clipboard text.";
    const auto prompt =
        "Analyze this clipboard snippet for privacy risks:\n" + platform::prefixOfCharacters(text, kModelPromptLimit);
    auto response = model->respond(instructions, prompt);
    if (!response) return std::nullopt;
    const auto reply = trimmedUtf8(*response);
    if (lowercased(reply).find("no sensitive") != std::string::npos) return PatternFindings{reply, false, {}};
    return PatternFindings{reply, true, {platform::localized("AI-detected sensitive content")}};
}

ClipboardInsight clipboardInsight(const platform::Clipboard& clipboard, LanguageModel* model) {
    const auto text = readPasteboardString(clipboard);
    if (text.empty()) return {platform::localized("Clipboard is empty"), false, 0, {}};
    const auto patterns = detectSensitivePatterns(text);
    const auto verdict = analyzeClipboardWithLanguageModel(text, model);
    ClipboardInsight insight{patterns.summary, patterns.found, unicode(text).countChar32(), patterns.findings};
    if (verdict) {
        insight.hasFindings = patterns.found || verdict->found;
        if (verdict->found) insight.summary = verdict->summary;
        for (const auto& finding : verdict->findings)
            if (std::find(insight.findings.begin(), insight.findings.end(), finding) == insight.findings.end())
                insight.findings.push_back(finding);
    }
    return insight;
}

}  // namespace zentrel::scanners
