#include "model/SweepActionTitle.hpp"

#include "doubles/ScopedDesktopTexts.hpp"

#include <gtest/gtest.h>

namespace zentrel::model {
namespace {

// What records hold, as this and earlier versions wrote them, and the title
// each is shown under in either language.
TEST(SweepActionTitleTest, RecordedLabelsAreShownInTheReadersLanguage) {
    struct Case {
        SweepActionKind kind;
        std::string label;
        std::string english;
        std::string vietnamese;
    };
    const std::vector<Case> cases = {
        {SweepActionKind::cookieDomain, trackerCookiesLabel("Chrome"), "Chrome tracker cookies",
         "Cookie theo d\u00F5i c\u1EE7a Chrome"},
        {SweepActionKind::cookieDomain, "Firefox: ads.example", "Firefox: ads.example", "Firefox: ads.example"},
        {SweepActionKind::pasteboardCleared, std::string(kClipboardClearedLabel), "Clipboard cleared",
         "\u0110\u00E3 xo\u00E1 b\u1EA3ng nh\u1EDB t\u1EA1m"},
        {SweepActionKind::pasteboardCleared, "\u0110\u00E3 xo\u00E1 b\u1EA3ng nh\u1EDB t\u1EA1m", "Clipboard cleared",
         "\u0110\u00E3 xo\u00E1 b\u1EA3ng nh\u1EDB t\u1EA1m"},
        {SweepActionKind::recentsCleared, "Quick Look Cache", "Thumbnail Cache", "B\u1ED9 \u0111\u1EC7m \u1EA3nh thu nh\u1ECF"},
        {SweepActionKind::fileRemoved, "notes.txt", "notes.txt", "notes.txt"},
    };
    for (const char* language : {"en", "vi"}) {
        testing::ScopedDesktopTexts texts(language);
        for (const auto& c : cases) {
            const SweepAction action{platform::Uuid::random(), c.kind, c.label, std::nullopt, "/b", "/o", false};
            EXPECT_EQ(sweepActionTitle(action), std::string_view(language) == "en" ? c.english : c.vietnamese)
                << language << ": " << c.label;
        }
    }
}

}  // namespace
}  // namespace zentrel::model
