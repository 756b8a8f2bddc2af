// Every screen of the window, walked as an assistive technology walks it:
// named, roled elements in the Tab order, no scroll area among them, plain
// texts, buttons told apart and one-of choices that say so.

#include "ui/design/DesignLabels.hpp"
#include "ui/main/CleanConfirmationDialog.hpp"
#include "ui/main/MainContentView.hpp"
#include "ui/main/SidebarView.hpp"
#include "ui/main/SmartCleanupView.hpp"
#include "ui/main/SweepLogView.hpp"
#include "ui/panels/OnboardingView.hpp"
#include "ui/tools/AppFeaturesView.hpp"
#include "ui/tools/IMERulesSheet.hpp"
#include "ui/tools/VietnameseIMEFeatureCard.hpp"

#include "platform/desktop/MemoryClipboard.hpp"

#include "doubles/PermissionsDoubles.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "typing/integration/VietIMEManagerHarness.hpp"
#include "ui/AccessibilityAudit.hpp"
#include "ui/AccessibleEvents.hpp"
#include "ui/StillTypingPermission.hpp"
#include "ui/TabRound.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QTest>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::accessibilityFaults;
using testing::scannedItem;
using Faults = std::vector<std::string>;

void showAndSettle(QWidget& screen) {
    screen.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

bool hasName(QWidget& screen, const std::string& name) {
    const auto names = testing::accessibleNames(screen);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The first focus a shown window gives goes to a control, never a filler.
std::string firstFocusFault(QWidget& screen) {
    QApplication::setActiveWindow(&screen);
    QApplication::processEvents();
    auto* focus = QApplication::focusWidget();
    if (focus == nullptr) return "nothing has the first focus";
    if (qobject_cast<QAbstractScrollArea*>(focus) != nullptr || qobject_cast<QAbstractScrollArea*>(focus->parentWidget()))
        return std::string("the first focus is on a scroll area: ") + focus->metaObject()->className();
    return {};
}

// The audit itself, on a screen with each fault once.
TEST(AccessibilityAudit, FindsEachFault) {
    QWidget screen;
    auto* column = new QVBoxLayout(&screen);
    auto* scroll = new QScrollArea(&screen);
    scroll->setWidget(new QLabel("inside"));
    column->addWidget(scroll);
    column->addWidget(new QPushButton(&screen));
    auto* described = new QPushButton("Go", &screen);
    described->setToolTip("<p>Ctrl+Return</p>");
    column->addWidget(described);
    column->addWidget(new QPushButton("Undo", &screen));
    column->addWidget(new QPushButton("Undo", &screen));
    auto* choice = new QButtonGroup(&screen);
    for (const char* name : {"Telex", "VNI"}) {
        auto* option = new QPushButton(name, &screen);
        option->setCheckable(true);
        choice->addButton(option);
        column->addWidget(option);
    }
    showAndSettle(screen);
    const Faults expected{"QScrollArea is a scroll area in the Tab order",
                          "QPushButton is focusable without a name",
                          "QPushButton \"Go\" is described with markup: \"<p>Ctrl+Return</p>\"",
                          "2 buttons are named \"Undo\"",
                          "QPushButton \"Telex\" is one of a choice without the radio button role",
                          "QPushButton \"VNI\" is one of a choice without the radio button role"};
    EXPECT_EQ(accessibilityFaults(screen), expected);
}

class ScanScreensTest : public ::testing::Test {
protected:
    testing::ScopedDesktopTexts english;
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::MemoryClipboard clipboard;
};

TEST_F(ScanScreensTest, TheSidebarAndEveryScanPageReadWell) {
    h.scanTo(*vm, {scannedItem("/h/.cache/thumbnails/a.png", CategoryType::systemCaches, 4096),
                   scannedItem("/h/.cache/b.log", CategoryType::systemCaches, 4096),
                   scannedItem("/h/.Trash/b", CategoryType::trash, 2048),
                   scannedItem("/h/.zsh_history", CategoryType::privacy, 100),
                   scannedItem("/h/big.iso", CategoryType::largeFiles, 900'000'000)});
    vm->scanState.set(model::scan_state::Done{});
    platform::AnnouncedValue<bool> typingEnabled{false};
    SidebarView sidebar(*vm, typingEnabled);
    sidebar.resize(260, 600);
    showAndSettle(sidebar);
    EXPECT_EQ(accessibilityFaults(sidebar), Faults{}) << "sidebar";
    EXPECT_TRUE(hasName(sidebar, "Trash & Old Files, 2 KB")) << "a row names the size it shows";

    MainContentView view(*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr);
    view.resize(840, 700);
    showAndSettle(view);
    using model::SidebarSelection;
    for (const auto& page : {SidebarSelection::overview(), SidebarSelection::smartCleanup(),
                             SidebarSelection::category(CategoryType::systemCaches),
                             SidebarSelection::category(CategoryType::trash),
                             SidebarSelection::category(CategoryType::largeFiles),
                             SidebarSelection::category(CategoryType::privacy),
                             SidebarSelection::category(CategoryType::duplicates)}) {
        vm->sidebarSelection.set(page);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        EXPECT_EQ(accessibilityFaults(view), Faults{}) << static_cast<int>(detailRoute(*vm).kind);
    }
}

// Every confirmation answered Delete.
class DeletingDialogs final : public MainContentDialogs {
public:
    void confirmClean(QWidget&, const CleanConfirmation&, std::function<void()> confirmed) override { confirmed(); }
    void showCleanFailures(QWidget&, const QString&, const QString&, std::function<void(bool)> closed) override {
        closed(false);
    }
    std::optional<QString> chooseReportFile(QWidget&, const QString&) override { return std::nullopt; }
    void showWarning(QWidget&, const QString&, const QString&) override {}
};

// The main window's two panes side by side, shown and active, as a user has them.
class WindowPanesTest : public ScanScreensTest {
protected:
    WindowPanesTest() {
        auto* row = new QHBoxLayout(&window);
        row->addWidget(sidebar);
        row->addWidget(view, 1);
        window.resize(1100, 720);
        window.show();
        QApplication::setActiveWindow(&window);
        settle();
        if (testing::AccessibleEvents::live()) events.emplace();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    // What the window's focus is and says, for the failure messages.
    static std::string focusName() {
        auto* focus = QApplication::focusWidget();
        if (focus == nullptr) return "nothing";
        auto* face = QAccessible::queryAccessibleInterface(focus);
        return std::string(focus->metaObject()->className()) + " \"" +
               (face != nullptr ? face->text(QAccessible::Name).toStdString() : "") + "\"";
    }
    // The focus is on the pane, on what says `start`, told once and never by the sidebar on the way.
    void lands(const char* step, const std::string& start) {
        auto* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << step;
        EXPECT_TRUE(view->isAncestorOf(focus)) << step << ": " << focusName();
        auto* face = QAccessible::queryAccessibleInterface(focus);
        EXPECT_TRUE(face->text(QAccessible::Name).toStdString().find(start) != std::string::npos) << step << ": " << focusName();
        if (!events) return;
        int told = 0;
        for (const auto& said : events->focus()) {
            told += said.name.find(start) != std::string::npos;
            auto* widget = qobject_cast<QWidget*>(said.object.data());
            EXPECT_FALSE(widget != nullptr && (widget == sidebar || sidebar->isAncestorOf(widget)))
                << step << ": the sidebar's " << said.name;
        }
        EXPECT_EQ(told, 1) << step;
        events->clear();
    }
    void forget() {
        if (events) events->clear();
    }
    QPushButton* headerButton(const QString& title) const {
        for (auto* button : view->toolbarButtons())
            if (button->accessibleName() == title) return button;
        return nullptr;
    }

    // Recorded where a bridge listens (a desktop test).
    std::optional<testing::AccessibleEvents> events;
    platform::AnnouncedValue<bool> typingEnabled{false};
    QWidget window;
    SidebarView* sidebar = new SidebarView(*vm, typingEnabled);
    MainContentView* view = new MainContentView(*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr,
                                                std::make_unique<DeletingDialogs>());
};

TEST_F(WindowPanesTest, ATickedBoxKeepsTheScreenReadersFocusWhileTheSidebarIsBuiltAgain) {
    if (!testing::AccessibleEvents::live()) GTEST_SKIP() << "no accessibility bridge listens here: a desktop test";
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 2048),
                   scannedItem("/h/.Trash/b", CategoryType::trash, 1024)});
    vm->scanState.set(model::scan_state::Done{});
    vm->sidebarSelection.set(model::SidebarSelection::category(CategoryType::trash));
    settle();
    QCheckBox* box = nullptr;
    for (auto* each : view->page()->findChildren<QCheckBox*>())
        if (box == nullptr && each->isVisible() && each->isEnabled()) box = each;
    ASSERT_NE(box, nullptr);
    box->setFocus(Qt::TabFocusReason);
    settle();
    const testing::AccessibleEvents events;
    const auto before = vm->result().selectedBytes();
    QTest::keyClick(box, Qt::Key_Space);
    settle();
    ASSERT_NE(vm->result().selectedBytes(), before) << "the box was toggled";
    EXPECT_EQ(QApplication::focusWidget(), box);
    for (const auto& focus : events.focus())
        EXPECT_EQ(focus.object, box) << "focus told to " << focus.role << " \"" << focus.name << "\"";
}

TEST_F(WindowPanesTest, EachResultIsWhereTheFocusLandsAndTheSidebarNeverHasIt) {
    vm->sidebarSelection.set(model::SidebarSelection::overview());
    settle();
    auto* fullScan = headerButton("Full Scan");
    ASSERT_NE(fullScan, nullptr);
    fullScan->setFocus(Qt::TabFocusReason);
    forget();
    fullScan->click();
    settle();
    lands("scan started", "Scan progress");
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    h.engine.fullScans.back().done({scannedItem("/h/.Trash/a", CategoryType::trash, 2048)});
    settle();
    lands("scan ended", "Zentrel can free up 2 KB");

    auto* clean = view->toolbarButtons().back();
    ASSERT_TRUE(clean->accessibleName().startsWith("Clean")) << clean->accessibleName().toStdString();
    clean->setFocus(Qt::TabFocusReason);
    forget();
    clean->click();
    settle();
    lands("clean started", "Cleaning progress");
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    h.engine.cleans.back().done({2048, {}, {}, std::nullopt});
    settle();
    lands("clean ended", "2 KB freed");
}

TEST_F(WindowPanesTest, SmartCleanupsResultIsWhereTheFocusLands) {
    h.scanTo(*vm, {scannedItem("/h/.cache/a", CategoryType::systemCaches, 2048),
                   scannedItem("/h/big.iso", CategoryType::largeFiles, 90000, false)});
    vm->scanState.set(model::scan_state::Done{});
    vm->sidebarSelection.set(model::SidebarSelection::smartCleanup());
    settle();
    auto* page = dynamic_cast<SmartCleanupView*>(view->page());
    ASSERT_NE(page, nullptr);
    page->setConfirmationPresenter([](SmartCleanupView& smart) { smart.confirmClean(); });
    page->primaryButton()->setFocus(Qt::TabFocusReason);
    forget();
    page->primaryButton()->click();
    settle();
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    h.engine.cleans.back().done({2048, {}, {}, std::nullopt});
    settle();
    lands("smart cleanup ended", "2 KB freed.");
}

TEST_F(ScanScreensTest, TheSweepLogNamesWhatEachUndoUndoes) {
    vm->startScan(false, true, false, false);
    h.engine.fullScans.back().done({scannedItem("/h/.zsh_history", CategoryType::privacy, 10)});
    vm->startClean(std::nullopt, false);
    using Kind = model::SweepActionKind;
    const auto action = [](Kind kind, std::string label, std::string detail) {
        return model::SweepAction{platform::Uuid::random(), kind, std::move(label), std::move(detail), "/backup", "/h/x",
                                  false};
    };
    const model::SweepRecord record{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(86400),
                                    {action(Kind::cookieDomain, "Chrome: .doubleclick.net", ".doubleclick.net"),
                                     action(Kind::cookieDomain, "Chrome: .adnxs.com", ".adnxs.com"),
                                     action(Kind::fileTruncated, "Zsh History", "/h/.zsh_history")},
                                    10};
    h.engine.cleans.back().done({10, {}, {}, record});
    SweepLogView log(*vm, h.clock, "en");
    showAndSettle(log);
    EXPECT_EQ(accessibilityFaults(log), Faults{});
    EXPECT_TRUE(hasName(log, "Undo Chrome: .doubleclick.net"));
    EXPECT_EQ(firstFocusFault(log), "");
    const auto stops = testing::tabRound(log);
    for (auto* row : log.rows()) {
        EXPECT_EQ(std::count(stops.begin(), stops.end(), row) + std::count(stops.begin(), stops.end(), row->undoButton()),
                  1)
            << row->accessibleName().toStdString() << ": one Tab stop an entry";
    }
}

TEST(ConfirmationDialogScreen, ReadsWell) {
    testing::ScopedDesktopTexts english;
    CleanConfirmation confirmation;
    confirmation.title = "Delete 2 items (3 KB)?";
    confirmation.deleteLabel = "Delete 3 KB";
    CleanConfirmationDialog dialog(confirmation, nullptr);
    showAndSettle(dialog);
    EXPECT_EQ(accessibilityFaults(dialog), Faults{});
}

TEST(OnboardingScreens, EveryStepReadsWellAndFirstFocusesAControl) {
    using namespace std::chrono_literals;
    testing::ScopedDesktopTexts english;
    testing::PermissionsDoubles doubles;
    doubles.fullDiskAccess.granted = true;
    auto permissions = doubles.makePermissions();
    doubles.settle();
    doubles.clock.advance(1s);
    doubles.settle();
    testing::StillTypingPermission typing;
    OnboardingView view({*permissions, typing, [] {}, {}, {"en-US"}});
    showAndSettle(view);
    EXPECT_EQ(firstFocusFault(view), "");
    for (int step = 0;; ++step) {
        EXPECT_EQ(accessibilityFaults(view), Faults{}) << "step " << step;
        // The way forward has the focus, and says the step's heading with it.
        auto* forward = view.continueButton()->isHidden() ? view.finishButton() : view.continueButton();
        EXPECT_EQ(QApplication::focusWidget(), forward) << "step " << step;
        EXPECT_TRUE(forward->accessibleDescription().startsWith(
            localizedText(onboardingSteps()[static_cast<std::size_t>(step)].title)))
            << "step " << step;
        if (view.continueButton()->isHidden()) {
            const auto names = testing::accessibleNames(view);
            EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& name) {
                return name.size() > 4 && name.ends_with(", ON");
            })) << "a granted permission names its state";
        }
        if (view.continueButton()->isHidden()) break;
        view.continueButton()->click();
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    view.hide();
}

class TypingScreenTest : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    TypingScreenTest() { makeManager(); }
    TypingCardServices services() { return {*manager, *permissions, clock, didBecomeActive}; }
    testing::ScopedDesktopTexts english;
};

TEST_F(TypingScreenTest, TheTypingPageAndItsCardReadWell) {
    AppFeaturesView page(kFeatureGridColumns, services());
    page.resize(840, 640);
    showAndSettle(page);
    EXPECT_EQ(accessibilityFaults(page), Faults{}) << "page";

    VietnameseIMEFeatureCard card(services());
    card.resize(400, 900);
    showAndSettle(card);
    card.advancedOptions()->header()->click();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    const auto methods = card.inputMethodPicker()->buttons();
    EXPECT_EQ(accessibilityFaults(card, {testing::ButtonChoice(methods.begin(), methods.end())}), Faults{}) << "card";
    EXPECT_TRUE(hasName(card, "Typing path"));
}

TEST_F(TypingScreenTest, TheRulesSheetReadsWell) {
    IMERulesSheet sheet(*manager);
    sheet.resize(640, 720);
    showAndSettle(sheet);
    EXPECT_EQ(accessibilityFaults(sheet), Faults{});
}

}  // namespace
}  // namespace zentrel::ui
