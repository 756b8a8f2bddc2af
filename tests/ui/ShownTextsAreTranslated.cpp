// Every text the tests of this program looked up is checked at its end: an
// English and a Vietnamese entry, and no other system's words in either.
// Screens opened in a Vietnamese window show nothing but Vietnamese texts,
// apart from the names they were given.

#include "ui/design/CapsuleLabel.hpp"
#include "ui/main/SweepLogView.hpp"
#include "ui/panels/OnboardingView.hpp"
#include "ui/tools/IMERulesSheet.hpp"

#include "platform/text/BuiltInCatalogs.hpp"

#include "doubles/PermissionsDoubles.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TranslationCoverage.hpp"
#include "typing/integration/VietIMEManagerHarness.hpp"
#include "ui/StillTypingPermission.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <set>

namespace {

[[maybe_unused]] const bool registered = (zentrel::testing::checkLookedUpKeysAtExit(), true);

}  // namespace

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;

// The texts a screen shows: its labels, pills, buttons, choices and window title,
// on every page it holds, shown now or not.
std::vector<std::string> shownTexts(const QWidget& screen) {
    QStringList texts{screen.windowTitle()};
    for (const auto* label : screen.findChildren<QLabel*>()) texts << label->text();
    for (const auto* widget : screen.findChildren<QWidget*>()) {
        // A capsule has no meta-object of its own: found by its C++ type.
        if (const auto* capsule = dynamic_cast<const CapsuleLabel*>(widget)) texts << capsule->text();
    }
    for (const auto* button : screen.findChildren<QAbstractButton*>()) {
        // "&&" is an ampersand; a lone "&" marks the access key.
        texts << button->text().replace("&&", QChar(0x1)).remove('&').replace(QChar(0x1), "&");
    }
    for (const auto* choices : screen.findChildren<QComboBox*>()) {
        for (int i = 0; i < choices->count(); ++i) texts << choices->itemText(i);
    }
    std::vector<std::string> shown;
    for (const auto& text : texts) {
        if (!text.trimmed().isEmpty()) shown.push_back(text.toStdString());
    }
    return shown;
}

// A heading set in capitals ("QUY TẮC CÓ SẴN") shows a Vietnamese text in capitals.
bool isVietnameseInCapitals(const std::string& text) {
    const auto shown = QString::fromStdString(text);
    if (shown != shown.toUpper()) return false;
    for (const auto& catalog : platform::builtInCatalogs()) {
        if (catalog.language != "vi") continue;
        for (const auto& message : catalog.messages) {
            const auto form = message.forms[0];
            if (QString::fromUtf8(form.data(), static_cast<qsizetype>(form.size())).toUpper() == shown) return true;
        }
    }
    return false;
}

// Fails for each text of `screen` that is neither Vietnamese nor one of `names`.
void expectVietnamese(const QWidget& screen, const std::set<std::string>& names = {}) {
    std::vector<std::string> texts;
    for (auto& text : shownTexts(screen)) {
        if (!names.contains(text) && !isVietnameseInCapitals(text)) texts.push_back(std::move(text));
    }
    for (const auto& text : testing::textsNotIn("vi", texts)) ADD_FAILURE() << "not Vietnamese: \"" << text << "\"";
}

// Titles as the sweeps of earlier versions recorded them: in English, or in
// the language the window had that day.
TEST(VietnameseWindow, TheSweepLogShowsRecordedTitlesInTheReadersLanguage) {
    testing::ScopedDesktopTexts vietnamese("vi");
    testing::ScanViewModelHarness h;
    auto vm = h.make();
    vm->startScan(false, true, false, false);
    h.engine.fullScans.back().done({testing::scannedItem("/h/.zsh_history", model::CategoryType::privacy, 10)});
    vm->startClean(std::nullopt, false);
    using Kind = model::SweepActionKind;
    const auto action = [](Kind kind, std::string label, std::optional<std::string> detail) {
        return model::SweepAction{platform::Uuid::random(), kind, std::move(label), std::move(detail), "/backup", "/h/x",
                                  false};
    };
    const model::SweepRecord record{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(86400),
                                    {action(Kind::cookieDomain, "Chrome tracker cookies", "ad.doubleclick.net"),
                                     action(Kind::cookieDomain, "Chrome: ad.doubleclick.net", "ad.doubleclick.net"),
                                     action(Kind::pasteboardCleared, "Clipboard cleared", std::nullopt),
                                     action(Kind::pasteboardCleared, "Đã xoá bảng nhớ tạm", std::nullopt),
                                     action(Kind::recentsCleared, "Quick Look Cache", "/h/.cache/thumbnails"),
                                     action(Kind::fileTruncated, "Zsh History", "/h/.zsh_history")},
                                    10};
    h.engine.cleans.back().done({10, {}, {}, record});
    SweepLogView log(*vm, h.clock, "vi");
    ASSERT_EQ(log.rows().size(), 6u);
    expectVietnamese(log, {"ad.doubleclick.net", "Chrome: ad.doubleclick.net", "/h/.cache/thumbnails", "/h/.zsh_history"});
}

TEST(VietnameseWindow, EveryOnboardingStepReadsInVietnamese) {
    testing::ScopedDesktopTexts vietnamese("vi");
    testing::PermissionsDoubles doubles;
    doubles.fullDiskAccess.granted = true;  // its row says it is on
    doubles.pages.hasPages = false;         // notifications, with nowhere to turn them on, say they are off
    auto permissions = doubles.makePermissions();
    doubles.settle();
    doubles.clock.advance(1s);
    doubles.settle();
    testing::StillTypingPermission typing;
    OnboardingView view({*permissions, typing, [] {}, {}, {"vi-VN"}});
    view.show();
    // The last step lists its permissions once shown.
    while (!view.continueButton()->isHidden()) view.continueButton()->click();
    expectVietnamese(view);
    view.hide();
}

class VietnameseRulesSheet : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    VietnameseRulesSheet() { makeManager(); }
    testing::ScopedDesktopTexts vietnamese{"vi"};
};

TEST_F(VietnameseRulesSheet, TheRulesAndTheirWaysOfTypingReadInVietnamese) {
    IMERulesSheet sheet(*manager);
    expectVietnamese(sheet);
}

}  // namespace
}  // namespace zentrel::ui
