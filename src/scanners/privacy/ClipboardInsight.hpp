#pragma once
// The clipboard check of the privacy scan: pattern tests for passwords,
// tokens, e-mail addresses, tracking links and card numbers, and, where the
// machine has one, an on-device language model's one-sentence verdict.

#include "platform/desktop/Clipboard.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

// An on-device language model. There is none on this platform yet; a build
// without one behaves as when it is unavailable.
class LanguageModel {
public:
    virtual ~LanguageModel() = default;
    [[nodiscard]] virtual bool isAvailable() const = 0;
    // The reply to one prompt in a fresh session; none on failure.
    [[nodiscard]] virtual std::optional<std::string> respond(const std::string& instructions,
                                                             const std::string& prompt) = 0;
};

struct PatternFindings {
    std::string summary;
    bool found = false;
    std::vector<std::string> findings;
};

struct ClipboardInsight {
    std::string summary;
    bool hasFindings = false;
    std::int64_t characterCount = 0;
    std::vector<std::string> findings;
};

// The first non-empty clipboard text, cut to 4000 characters; empty when none.
[[nodiscard]] std::string readPasteboardString(const platform::Clipboard& clipboard);
[[nodiscard]] PatternFindings detectSensitivePatterns(const std::string& text);
[[nodiscard]] std::optional<PatternFindings> analyzeClipboardWithLanguageModel(const std::string& text,
                                                                               LanguageModel* model);
// Main thread: reads the clipboard and analyses it.
[[nodiscard]] ClipboardInsight clipboardInsight(const platform::Clipboard& clipboard, LanguageModel* model);

}  // namespace zentrel::scanners
