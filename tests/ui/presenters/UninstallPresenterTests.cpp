#include "ui/presenters/UninstallDetailPresenter.hpp"
#include "ui/presenters/UninstallPresenter.hpp"

#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using Content = UninstallContent;

std::string fileSize(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::file); }

class UninstallPresenterTest : public ::testing::Test {
protected:
    model::InstalledApp addApp(const std::string& name, const std::string& bundleID) {
        dir.write("sys/Applications/" + name + ".app/Contents/Info.plist",
                  R"(<?xml version="1.0"?><plist version="1.0"><dict><key>CFBundleIdentifier</key><string>)" +
                      bundleID + "</string></dict></plist>");
        return {name, bundleID, (dir / "sys/Applications" / (name + ".app")).string(), ""};
    }
    void settle() {
        while (background.runAll() + main.drain() > 0) {
        }
    }
    // An open application with its bundle and two leftovers of known size.
    void openWithLeftovers() {
        const auto app = addApp("Alpha", "com.example.alpha");
        dir.write("home/Library/Caches/com.example.alpha", std::string(3000, 'c'));
        dir.write("home/Library/Preferences/com.example.alpha.plist", std::string(500, 'p'));
        vm.selectApp(app);
        settle();
        ASSERT_EQ(vm.items().size(), 3u);
        // Sizes on disk depend on the file system: fix them.
        vm.items.modify([](auto& items) {
            for (std::size_t i = 0; i < items.size(); ++i) items[i].sizeBytes = static_cast<std::int64_t>(i + 1) * 1000;
        });
    }

    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    services::AppUninstaller uninstaller{fileSystem, platform::HostLayout::forHome(dir / "home", dir / "sys")};
    testing::ManualExecutor background;
    testing::ManualMainQueue main;
    viewmodels::UninstallViewModel vm{uninstaller, background, main};
};

TEST_F(UninstallPresenterTest, LoadingWinsThenTheEmptyStateThenTheList) {
    EXPECT_TRUE(loadsOnAppearance(vm));
    EXPECT_EQ(uninstallContent(vm), Content::empty);
    addApp("Alpha", "com.example.alpha");
    addApp("Beta", "com.example.beta");
    vm.loadApps();
    EXPECT_EQ(uninstallContent(vm), Content::loading);
    settle();
    EXPECT_EQ(uninstallContent(vm), Content::list);
    EXPECT_FALSE(loadsOnAppearance(vm));
    vm.loadApps();  // a reload hides the known list too
    EXPECT_EQ(uninstallContent(vm), Content::loading);
    settle();

    vm.query.set("   ");
    EXPECT_EQ(uninstallContent(vm), Content::list);
    vm.query.set("zeta");
    EXPECT_EQ(uninstallContent(vm), Content::empty);
    EXPECT_EQ(uninstallCountText(vm), "2 ứng dụng");
}

TEST(UninstallTexts, EmptyStateQuotesTheQueryAsTyped) {
    EXPECT_EQ(uninstallEmptyText(""), "Không tìm thấy ứng dụng nào.");
    EXPECT_EQ(uninstallEmptyText("zeta"), "Không khớp \"zeta\".");
    EXPECT_EQ(uninstallEmptyText("  "), "Không khớp \"  \".");
    EXPECT_EQ(uninstallEmptyText(" A&B "), "Không khớp \" A&B \".");
}

TEST(UninstallTexts, ResultMessageCountsFailuresOnlyWhenThereAreSome) {
    EXPECT_EQ(uninstallResultMessage(4'500'000, 0), "Đã giải phóng " + fileSize(4'500'000) + ".");
    EXPECT_EQ(uninstallResultMessage(std::nullopt, 0), "Đã giải phóng " + fileSize(0) + ".");
    EXPECT_EQ(uninstallResultMessage(0, 2), "Đã giải phóng " + fileSize(0) +
                                                ". 2 mục không xoá được (có thể cần quyền hoặc đang chạy).");
}

TEST(UninstallTexts, FailuresTakeThePluralOfTheirCountInEnglish) {
    const testing::ScopedDesktopTexts english;
    EXPECT_EQ(uninstallResultMessage(0, 1),
              "Freed " + fileSize(0) + ". 1 item could not be deleted (it may need permissions or be in use).");
    EXPECT_EQ(uninstallResultMessage(0, 3),
              "Freed " + fileSize(0) + ". 3 items could not be deleted (they may need permissions or be in use).");
}

TEST(UninstallRows, SecondLineIsTheIdentifierOrThePath) {
    EXPECT_EQ(appRow({"Alpha", "com.example.alpha", "/a/Alpha.app", "2.1"}),
              (AppRowContent{"Alpha", "com.example.alpha", "2.1"}));
    EXPECT_EQ(appRow({"Loose", "", "/a/Loose.app", ""}), (AppRowContent{"Loose", "/a/Loose.app", ""}));
}

TEST(UninstallRows, IconComesFromTheDesktopEntry) {
    testing::TempDir dir;
    const auto named = dir.write("editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\nIcon=gedit\n");
    const auto plain = dir.write("plain.desktop", "[Desktop Entry]\nType=Application\nName=Plain\n");
    const auto file = dir.write("file.desktop", "[Desktop Entry]\nType=Application\nName=F\nIcon=/opt/f/icon.png\n");
    EXPECT_EQ(applicationIconSource(named.string()), "gedit");
    EXPECT_EQ(applicationIconSource(file.string()), "/opt/f/icon.png");
    EXPECT_EQ(applicationIconSource(plain.string()), std::nullopt);
    EXPECT_EQ(applicationIconSource((dir / "gone.desktop").string()), std::nullopt);
    EXPECT_EQ(applicationIconSource("/Applications/Alpha.app"), std::nullopt);
}

TEST_F(UninstallPresenterTest, SheetRowsFooterAndButtonFollowEveryToggle) {
    openWithLeftovers();
    const auto rows = uninstallItemRows(vm);
    EXPECT_EQ(rows[0].kindLabel, "Ứng dụng");
    EXPECT_EQ(rows[0].symbol, "app.fill");
    EXPECT_EQ(rows[1].kindLabel, "Bộ nhớ đệm");
    EXPECT_EQ(rows[1].size, fileSize(2000));
    EXPECT_EQ(rows[1].checkBoxName, "Bộ nhớ đệm, " + rows[1].path + ", " + fileSize(2000)) << "the tick box carries the size";
    EXPECT_TRUE(rows[2].selected);
    EXPECT_EQ(uninstallFooter(vm), "3/3 mục · " + fileSize(6000));
    EXPECT_EQ(removeButton(vm), (RemoveButtonContent{"Gỡ " + fileSize(6000), false, true}));

    vm.toggleItem(rows[0].id);
    EXPECT_EQ(uninstallFooter(vm), "2/3 mục · " + fileSize(5000));
    const auto confirmation = removalConfirmation(vm);
    EXPECT_EQ(confirmation.title, "Xoá vĩnh viễn 2 mục (" + fileSize(5000) + ")?");
    EXPECT_EQ(confirmation.message, "Các tệp này sẽ bị xoá vĩnh viễn, không khôi phục được.");
    EXPECT_EQ(confirmation.paths, (std::vector<std::string>{rows[1].path, rows[2].path}));
    EXPECT_EQ(confirmation.lines, (std::vector<std::string>{rows[1].path + " (" + rows[1].size + ")",
                                                            rows[2].path + " (" + rows[2].size + ")"}));
    EXPECT_EQ(confirmation.confirmLabel, "Xoá vĩnh viễn");
    EXPECT_EQ(confirmation.cancelLabel, "Huỷ");

    vm.uninstallSelected();
    EXPECT_EQ(removeButton(vm), (RemoveButtonContent{"", true, false}));
}

TEST_F(UninstallPresenterTest, NothingSelectedDisablesRemovalAndNothingFoundShowsNoButton) {
    const testing::ScopedDesktopTexts english("en");
    EXPECT_EQ(uninstallFooter(vm), "Nothing of this application's is left in your folders.");
    EXPECT_FALSE(removeButton(vm).shown);
    EXPECT_FALSE(removeButton(vm).enabled);
    openWithLeftovers();
    EXPECT_TRUE(removeButton(vm).shown);
    for (const auto& row : uninstallItemRows(vm)) vm.toggleItem(row.id);
    EXPECT_EQ(uninstallFooter(vm), "0/3 items · " + fileSize(0));
    EXPECT_FALSE(removeButton(vm).enabled);
}

// A package manager's application stays installed: the button says what it removes.
TEST_F(UninstallPresenterTest, APackagesButtonRemovesTheUsersDataOnly) {
    const testing::ScopedDesktopTexts english("en");
    openWithLeftovers();
    auto app = *vm.selectedApp();
    app.package = model::PackageOwner{model::PackageOwner::Manager::dpkg, "alpha"};
    vm.selectedApp.set(app);
    EXPECT_EQ(removeButton(vm), (RemoveButtonContent{"Remove user data (" + fileSize(6000) + ")", false, true, true}));
    vm.selectedApp.set(std::nullopt);
    app.package = std::nullopt;
    vm.selectedApp.set(app);
    EXPECT_EQ(removeButton(vm).label, "Uninstall " + fileSize(6000));
}

TEST_F(UninstallPresenterTest, ClosingTheSheetClearsTheApplicationAndItsItems) {
    openWithLeftovers();
    closeUninstallSheet(vm);
    EXPECT_FALSE(vm.selectedApp().has_value());
    EXPECT_TRUE(vm.items().empty());
}

TEST(UninstallTexts, APackagesSheetNamesItsManagerAndTheRemovalCommand) {
    using Manager = model::PackageOwner::Manager;
    model::InstalledApp app{.name = "Inkpad", .bundleID = "inkpad", .path = "/usr/share/applications/inkpad.desktop"};
    EXPECT_EQ(packageNotice(app), std::nullopt);
    app.package = model::PackageOwner{Manager::dpkg, "inkpad"};
    const auto notice = packageNotice(app).value_or("");
    EXPECT_NE(notice.find("apt"), std::string::npos) << notice;
    EXPECT_NE(notice.find("sudo apt remove inkpad"), std::string::npos) << notice;
    app.package = model::PackageOwner{Manager::flatpak, "org.example.Draw"};
    EXPECT_NE(packageNotice(app).value_or("").find("flatpak uninstall org.example.Draw"), std::string::npos);
    app.package = model::PackageOwner{Manager::dpkg, "x; rm -rf ~"};
    EXPECT_NE(packageNotice(app).value_or("").find("sudo apt remove 'x; rm -rf ~'"), std::string::npos);
}

}  // namespace
}  // namespace zentrel::ui
