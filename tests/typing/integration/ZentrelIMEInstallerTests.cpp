#include "typing/integration/ZentrelIMEInstaller.hpp"

#include "platform/files/AtomicFile.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::typing {
namespace {

namespace fs = std::filesystem;
using Error = ZentrelIMEInstaller::InstallError;

class ScriptedStatus final : public platform::InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override { return installed; }
    [[nodiscard]] bool isSelected() const override { return selected; }
    [[nodiscard]] bool isProvidedBySystem() const override { return system; }
    bool installed = false;
    bool selected = false;
    bool system = false;
};

class ZentrelIMEInstallerTest : public ::testing::Test {
protected:
    ZentrelIMEInstaller installer() {
        return ZentrelIMEInstaller({dir / "app", dir / "usr/bin", platform::HostLayout::forHome(dir / "home"), status,
                                    [this](const std::vector<std::string>& command) {
                                        launched.push_back(command);
                                        return true;
                                    },
                                    [this](const std::string& engine, bool first) {
                                        kept.push_back((first ? "first " : "out ") + engine);
                                    }});
    }
    std::string installedText() { return platform::readWholeFile(installer().destination()).value_or("<none>"); }

    testing::TempDir dir;
    ScriptedStatus status;
    std::vector<std::vector<std::string>> launched;
    std::vector<std::string> kept;
};

TEST_F(ZentrelIMEInstallerTest, TheProgramBesideThisOneComesFirstThenTheInstallTree) {
    const Error notFound{Error::Kind::bundledIMENotFound, {}};
    EXPECT_EQ(installer().install(), ZentrelIMEInstaller::InstallResult(notFound));
    EXPECT_FALSE(fs::exists(dir / "home"));
    EXPECT_TRUE(launched.empty());
    EXPECT_EQ(notFound.description(), "Không tìm thấy ZentrelIME.app trong bản build.");

    dir.write("usr/bin/zentrel-ime", "installed tree");
    EXPECT_EQ(installer().locateIMEBundle(), dir / "usr/bin/zentrel-ime");
    dir.write("app/zentrel-ime", "beside");
    EXPECT_EQ(installer().locateIMEBundle(), dir / "app/zentrel-ime");
}

TEST_F(ZentrelIMEInstallerTest, WhereAPackageGivesIBusTheEngineNoSecondCopyIsMadeAndThatOneIsSelected) {
    dir.write("app/zentrel-ime", "new");
    status.installed = status.system = true;
    EXPECT_EQ(installer().install(), ZentrelIMEInstaller::InstallResult(ZentrelIMEInstaller::ProvidedBySystem{}));
    EXPECT_FALSE(fs::exists(dir / "home")) << "nothing copied, no autostart entry";
    EXPECT_EQ(launched, (std::vector<std::vector<std::string>>{{"ibus", "engine", "com.torvane.zentrel.ime"}}));
    EXPECT_EQ(kept, std::vector<std::string>{"first com.torvane.zentrel.ime"});
}

TEST_F(ZentrelIMEInstallerTest, InstallingReplacesTheOldCopyAddsTheAutostartEntryAndRestartsIBus) {
    dir.write("home/.local/share/zentrel/zentrel-ime", "old");
    dir.write("app/zentrel-ime", "new");
    const auto result = installer().install();
    const auto target = dir / "home/.local/share/zentrel/zentrel-ime";
    ASSERT_EQ(result, ZentrelIMEInstaller::InstallResult(target));
    EXPECT_EQ(installedText(), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_FALSE(fs::exists(target.string() + ".staged"));
    const auto entry = platform::readWholeFile(dir / "home/.config/autostart/com.torvane.zentrel.ime.desktop");
    ASSERT_TRUE(entry.has_value());
    EXPECT_NE(entry->find("Exec=\"" + target.string() + "\""), std::string::npos);
    EXPECT_EQ(launched, (std::vector<std::vector<std::string>>{{"ibus", "restart"}, {target.string()}}));
}

TEST_F(ZentrelIMEInstallerTest, AFailedInstallLeavesTheOldCopyWorking) {
    dir.write("home/.local/share/zentrel/zentrel-ime", "old");
    dir.write("home/.local/share/zentrel/zentrel-ime.staged/blocking", "");  // the staging name is taken
    dir.write("app/zentrel-ime", "new");
    const auto result = installer().install();
    ASSERT_TRUE(std::holds_alternative<Error>(result));
    EXPECT_EQ(std::get<Error>(result).kind, Error::Kind::copyFailed);
    EXPECT_TRUE(std::get<Error>(result).description().starts_with("Không thể cài IME: "));
    EXPECT_EQ(installedText(), "old");
    EXPECT_TRUE(launched.empty()) << "nothing restarts after a failure";
}

TEST_F(ZentrelIMEInstallerTest, ALinkAtTheStagingNameIsNeverWrittenThrough) {
    const auto bashrc = dir.write("home/.bashrc", "keep");
    fs::permissions(bashrc, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(dir / "home/.local/share/zentrel");
    fs::create_symlink(bashrc, dir / "home/.local/share/zentrel/zentrel-ime.staged");
    dir.write("app/zentrel-ime", "new");
    (void)installer().install();
    EXPECT_EQ(platform::readWholeFile(bashrc), "keep");
    EXPECT_EQ(fs::status(bashrc).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ZentrelIMEInstallerTest, AProgramThatCouldNotBePutInPlaceGetsNoAutostartEntry) {
    dir.write("home/.local/share/zentrel/zentrel-ime/blocking", "");  // a folder the rename cannot replace
    dir.write("app/zentrel-ime", "new");
    ASSERT_TRUE(std::holds_alternative<Error>(installer().install()));
    EXPECT_FALSE(fs::exists(dir / "home/.config/autostart/com.torvane.zentrel.ime.desktop"));
    EXPECT_FALSE(fs::exists(dir / "home/.local/share/zentrel/zentrel-ime.staged"));
    EXPECT_TRUE(launched.empty());
}

TEST_F(ZentrelIMEInstallerTest, InstalledAndSelectedAreAskedOfIBus) {
    EXPECT_FALSE(installer().isInstalled());
    EXPECT_EQ(installer().findInputSource(), std::nullopt);
    status.installed = true;
    EXPECT_EQ(installer().findInputSource(), "com.torvane.zentrel.ime");
    EXPECT_FALSE(installer().isSelected());
    status.selected = true;
    EXPECT_TRUE(installer().isSelected());
    EXPECT_TRUE(installer().selectInputSource());
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "com.torvane.zentrel.ime"}));
    installer().openInputSourcesSettings();
    EXPECT_EQ(launched.back(), std::vector<std::string>{"ibus-setup"});
}

TEST_F(ZentrelIMEInstallerTest, SelectingKeepsTheEngineForIBusStartsAndLeavingItGoesBackToTheOneBefore) {
    auto ime = installer();
    EXPECT_FALSE(ime.restorePreviousInputSource()) << "not selected: nothing to give back";
    EXPECT_TRUE(ime.selectInputSource());
    EXPECT_EQ(kept, std::vector<std::string>{"first com.torvane.zentrel.ime"}) << "selected again after ibus restart";
    status.selected = true;
    EXPECT_TRUE(ime.restorePreviousInputSource());
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "xkb:us::eng"})) << "the plain keyboard";
    EXPECT_EQ(kept.back(), "out com.torvane.zentrel.ime");
}

}  // namespace
}  // namespace zentrel::typing
