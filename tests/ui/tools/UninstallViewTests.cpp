#include "ui/tools/UninstallView.hpp"

#include "platform/files/PosixFileSystem.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/presenters/UninstallPresenter.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"
#include "ui/AccessibilityAudit.hpp"
#include "ui/LayoutAudit.hpp"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::ui {
namespace {

class UninstallViewTest : public ::testing::Test {
protected:
    UninstallViewTest() {
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            dir.write(std::string("sys/Applications/") + name + ".app/Contents/Info.plist",
                      std::string(R"(<?xml version="1.0"?><plist version="1.0"><dict><key>CFBundleIdentifier</key>)") +
                          "<string>com.example." + name + "</string></dict></plist>");
            dir.write(std::string("home/Library/Caches/com.example.") + name + "/cache.db", "cache");
        }
    }
    void settle() {
        do {
            QApplication::processEvents();
        } while (background.runAll() + main.drain() > 0);
        QApplication::processEvents();
    }
    void openRow(int row) {
        auto* list = view.appList();
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
        settle();
    }
    void press(QWidget* parent, QMessageBox::ButtonRole role) {
        auto* box = parent->findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr);
        for (auto* button : box->buttons())
            if (box->buttonRole(button) == role) button->click();
        settle();
    }
    std::filesystem::path caches(const char* name) { return dir / "home/Library/Caches" / (std::string("com.example.") + name); }

    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller{fileSystem, platform::HostLayout::forHome(dir / "home", dir / "sys")};
    testing::ManualExecutor background;
    testing::ManualMainQueue main;
    UninstallView view{std::make_unique<viewmodels::UninstallViewModel>(uninstaller, background, main)};
};

TEST_F(UninstallViewTest, TheListFitsItsPageWithoutSidewaysScrollingAtEverySize) {
    // Enough applications, one with a long name, for the list to scroll.
    for (int i = 0; i < 30; ++i)
        dir.write("sys/Applications/Application with a rather long name number " + std::to_string(i) +
                      ".app/Contents/Info.plist",
                  std::string(R"(<?xml version="1.0"?><plist version="1.0"><dict><key>CFBundleIdentifier</key>)") +
                      "<string>org.example.a.very.long.bundle.identifier.for.testing.layout" + std::to_string(i) +
                      "</string></dict></plist>");
    view.show();
    settle();
    ASSERT_GT(view.appList()->model()->rowCount(), 30);
    for (const auto size : {testing::kFirstPage, testing::kSmallestPage, QSize(1400, 900)}) {
        EXPECT_EQ(testing::layoutFaultsAt(view, size), std::vector<std::string>{}) << size.width();
        EXPECT_GT(view.appList()->verticalScrollBar()->maximum(), 0) << "the list scrolls downwards";
        // Every row, its chevron at the trailing end, fits beside the vertical scroll bar.
        const auto row = view.appList()->visualRect(view.appList()->model()->index(0, 0));
        EXPECT_LE(row.right(), view.appList()->viewport()->width()) << size.width();
        EXPECT_GE(row.width(), view.appList()->viewport()->width() - 1) << "a row spans the list";
    }
}

TEST_F(UninstallViewTest, ThePaneTitleAloneNamesThePage) {
    view.show();
    settle();
    const auto title = localizedText(UninstallTexts::title);
    for (const auto* label : view.findChildren<QLabel*>())
        EXPECT_FALSE(label->isVisible() && label->text() == title) << "a second title under the pane's";
    EXPECT_EQ(view.accessibleName(), title) << "assistive tools still hear the page's name";
    EXPECT_TRUE(view.countLabel()->isVisible());
}

TEST_F(UninstallViewTest, ThePageAndItsSheetReadWellToAssistiveTools) {
    view.show();
    settle();
    EXPECT_EQ(testing::accessibilityFaults(view), std::vector<std::string>{});
    openRow(0);
    EXPECT_EQ(testing::accessibilityFaults(view), std::vector<std::string>{}) << "with an app's sheet open";
}

TEST(UninstallViewLanguage, TheLoadingLabelSpeaksTheWindowsLanguage) {
    testing::ScopedDesktopTexts english("en");
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller{fileSystem, platform::HostLayout::forHome(dir / "home", dir / "sys")};
    testing::ManualExecutor background;
    testing::ManualMainQueue main;
    UninstallView view{std::make_unique<viewmodels::UninstallViewModel>(uninstaller, background, main)};
    QStringList shown;
    for (const auto* label : view.findChildren<QLabel*>()) shown << label->text();
    EXPECT_TRUE(shown.contains("Looking for applications\u2026")) << shown.join(" | ").toStdString();
}

TEST_F(UninstallViewTest, SearchOpenTheSheetRemoveTheCheckedItemsAndReport) {
    view.show();
    EXPECT_EQ(view.content(), UninstallContent::loading);
    settle();
    EXPECT_EQ(view.appList()->model()->rowCount(), 3);
    view.searchField()->setText("bet");
    EXPECT_EQ(view.appList()->model()->rowCount(), 1);
    EXPECT_EQ(view.countLabel()->text(), "3 ứng dụng");

    openRow(0);
    auto* sheet = view.sheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->rows().size(), 2u);  // the bundle and its caches
    sheet->rows()[0]->checkBox()->click();  // keep the application
    EXPECT_EQ(sheet->footerLabel()->text().left(3), "1/2");
    sheet->removeButton()->click();
    press(sheet, QMessageBox::DestructiveRole);

    EXPECT_EQ(view.sheet(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(caches("Beta")));
    EXPECT_TRUE(std::filesystem::exists(dir / "sys/Applications/Beta.app"));
    EXPECT_TRUE(std::filesystem::exists(caches("Alpha")));
    auto* alert = view.findChild<QMessageBox*>();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->informativeText().startsWith("Đã giải phóng "));
    press(&view, QMessageBox::AcceptRole);
    EXPECT_FALSE(view.viewModel().lastFreedBytes().has_value());
}

TEST_F(UninstallViewTest, TypingMovesToTheFirstMatchAndReturnOpensIt) {
    view.show();
    QApplication::setActiveWindow(&view);
    settle();
    auto* list = view.appList();
    list->setFocus();
    QTest::keyClicks(list, "g");
    settle();
    EXPECT_EQ(view.sheet(), nullptr) << "a typed letter only moves to its match";
    QTest::keyClick(list, Qt::Key_Return);
    settle();
    ASSERT_NE(view.sheet(), nullptr);
    EXPECT_EQ(view.sheet()->app().name, "Gamma");
}

TEST_F(UninstallViewTest, ASheetOpenedWhileAnotherRemovalRunsStaysOpen) {
    view.show();
    settle();
    openRow(0);
    view.sheet()->removeButton()->click();
    auto* box = view.sheet()->findChild<QMessageBox*>();
    for (auto* button : box->buttons())
        if (box->buttonRole(button) == QMessageBox::DestructiveRole) button->click();
    ASSERT_TRUE(view.viewModel().isUninstalling());

    view.sheet()->reject();  // Escape
    QApplication::processEvents();
    EXPECT_FALSE(view.viewModel().selectedApp().has_value());
    openRow(1);
    ASSERT_NE(view.sheet(), nullptr);
    EXPECT_EQ(view.sheet()->app().name, "Beta");
    EXPECT_EQ(view.sheet()->rows().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(caches("Alpha")));
}

}  // namespace
}  // namespace zentrel::ui
