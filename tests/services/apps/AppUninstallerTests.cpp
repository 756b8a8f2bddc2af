#include "services/apps/AppUninstaller.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace zentrel::services {
namespace {

using model::UninstallItemKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string infoPlist(const std::map<std::string, std::string>& values) {
    std::string body;
    for (const auto& [key, value] : values) body += "<key>" + key + "</key><string>" + value + "</string>";
    return R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)" + body + "</dict></plist>";
}

class AppUninstallerTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    platform::HostLayout layout = platform::HostLayout::forHome(dir / "home", dir / "sys");
    AppUninstaller uninstaller{fileSystem, layout};

    std::string home() const { return (dir / "home").string(); }
    std::string library(const std::string& relative) const { return home() + "/Library/" + relative; }

    std::string addApp(const std::string& folder, const std::string& entry,
                       const std::map<std::string, std::string>& info) {
        auto path = dir / folder / entry;
        if (!info.empty()) dir.write(path / "Contents/Info.plist", infoPlist(info));
        else dir.makeDirectory(path);
        return path.string();
    }
    std::string addLeftover(const std::string& relative, std::string_view contents = "data") {
        return dir.write(std::filesystem::path("home/Library") / relative, contents).string();
    }
    std::vector<std::pair<UninstallItemKind, std::string>> kindsAndPaths(const model::InstalledApp& app) const {
        std::vector<std::pair<UninstallItemKind, std::string>> found;
        for (const auto& item : uninstaller.findLeftovers(app)) {
            EXPECT_TRUE(item.isSelected);
            found.emplace_back(item.kind, item.path);
        }
        return found;
    }
};

TEST_F(AppUninstallerTest, ListsBundlesOfTheSearchRootsByNameWithTheirInfo) {
    auto mail = addApp("sys/Applications", "Mail.app",
                       {{"CFBundleIdentifier", "com.example.mail"}, {"CFBundleName", "mailbox"},
                        {"CFBundleShortVersionString", "2.1"}, {"CFBundleVersion", "210"}});
    auto util = addApp("sys/Applications/Utilities", "Disk Tool.app",
                       {{"CFBundleIdentifier", "com.example.disk"}, {"CFBundleVersion", "77"}});
    auto bare = addApp("home/Applications", "Zeta.app", {});
    auto systemTwin = addApp("sys/Applications", "Twin.app", {{"CFBundleIdentifier", "a.twin"}});
    auto homeTwin = addApp("home/Applications", "Twin.app", {{"CFBundleIdentifier", "b.twin"}});
    dir.makeDirectory("sys/Applications/Nested/Deep.app");
    dir.makeDirectory("sys/Applications/Shout.APP");
    dir.write("sys/Applications/notes.txt", "x");

    std::vector<std::tuple<std::string, std::string, std::string, std::string>> listed;
    for (const auto& app : uninstaller.listInstalledApps())
        listed.emplace_back(app.name, app.bundleID, app.path, app.version);
    EXPECT_THAT(listed, ElementsAre(std::tuple{"Disk Tool", "com.example.disk", util, "77"},
                                    std::tuple{"mailbox", "com.example.mail", mail, "2.1"},
                                    std::tuple{"Twin", "a.twin", systemTwin, ""},
                                    std::tuple{"Twin", "b.twin", homeTwin, ""},
                                    std::tuple{"Zeta", "", bare, ""}));
}

TEST_F(AppUninstallerTest, FindsTheBundleAndEveryLeftoverKindInTableOrder) {
    const std::string b = "com.example.Editor";
    auto bundle = addApp("sys/Applications", "Editor.app", {{"CFBundleIdentifier", b}});
    // Created out of order: the result follows the table, not the disk.
    auto launch = addLeftover("LaunchAgents/" + b + ".plist");
    auto support = addLeftover("Application Support/" + b + "/state.db");
    addLeftover("Caches/" + b + "/blob");
    addLeftover("Containers/" + b + "/Data/x");
    addLeftover("Saved Application State/" + b + ".savedState/window");
    addLeftover("Logs/" + b + "/today.log");
    addLeftover("Application Scripts/" + b + "/s");
    addLeftover("WebKit/" + b + "/db");
    addLeftover("HTTPStorages/" + b + "/db");
    addLeftover("Preferences/" + b + ".plist");
    addLeftover("Cookies/" + b + ".binarycookies");
    addLeftover("HTTPStorages/" + b + ".binarycookies");
    addLeftover("Application Support/Editor/prefs");
    addLeftover("Caches/Editor/c");
    addLeftover("Logs/Editor/l");
    addLeftover("Group Containers/TEAM1.com.example.Editor.shared/g");
    addLeftover("Group Containers/com.example.Editor/g");
    addLeftover("Group Containers/TEAM2.com.example.EditorPro/g");
    addLeftover("Group Containers/com.example.Edit/g");

    const auto L = [&](const std::string& r) { return library(r); };
    EXPECT_THAT(kindsAndPaths({.name = "Editor", .bundleID = b, .path = bundle, .version = "1"}),
                ElementsAre(std::pair{UninstallItemKind::application, bundle},
                            std::pair{UninstallItemKind::appSupport, L("Application Support/" + b)},
                            std::pair{UninstallItemKind::caches, L("Caches/" + b)},
                            std::pair{UninstallItemKind::containers, L("Containers/" + b)},
                            std::pair{UninstallItemKind::savedState, L("Saved Application State/" + b + ".savedState")},
                            std::pair{UninstallItemKind::logs, L("Logs/" + b)},
                            std::pair{UninstallItemKind::appScripts, L("Application Scripts/" + b)},
                            std::pair{UninstallItemKind::webData, L("WebKit/" + b)},
                            std::pair{UninstallItemKind::webData, L("HTTPStorages/" + b)},
                            std::pair{UninstallItemKind::preferences, L("Preferences/" + b + ".plist")},
                            std::pair{UninstallItemKind::cookies, L("Cookies/" + b + ".binarycookies")},
                            std::pair{UninstallItemKind::cookies, L("HTTPStorages/" + b + ".binarycookies")},
                            std::pair{UninstallItemKind::launchAgents, launch},
                            std::pair{UninstallItemKind::appSupport, L("Application Support/Editor")},
                            std::pair{UninstallItemKind::caches, L("Caches/Editor")},
                            std::pair{UninstallItemKind::logs, L("Logs/Editor")},
                            std::pair{UninstallItemKind::groupContainers, L("Group Containers/TEAM1.com.example.Editor.shared")},
                            std::pair{UninstallItemKind::groupContainers, L("Group Containers/com.example.Editor")}));
    (void)support;
}

TEST_F(AppUninstallerTest, NamesAndIdentifiersThatCouldLeaveTheirFolderBuildNoPath) {
    addLeftover("Application Support/only-by-name/x");
    for (const std::string hostile : {"", "..", ".", "a/b", "../../etc", "com.x/..", "x..y"}) {
        EXPECT_THAT(AppUninstaller::leftoverCandidates(hostile, hostile, home()), IsEmpty()) << hostile;
    }
    // Without an identifier only the three name folders are looked at; a name
    // equal to the identifier adds nothing twice.
    auto byName = AppUninstaller::leftoverCandidates("", "only-by-name", home());
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName[0].path, library("Application Support/only-by-name"));
    EXPECT_EQ(AppUninstaller::leftoverCandidates("same", "same", home()).size(), 12u);

    // A bundle path that is not an application of a search root is never offered.
    auto elsewhere = dir.makeDirectory("home/Documents/Fake.app").string();
    EXPECT_THAT(kindsAndPaths({.name = "only-by-name", .bundleID = "", .path = elsewhere, .version = ""}),
                ElementsAre(std::pair{UninstallItemKind::appSupport, library("Application Support/only-by-name")}));
}

TEST_F(AppUninstallerTest, SizesCountVisibleFilesOnly) {
    auto folder = dir / "measure";
    dir.write("measure/a", std::string(10000, 'a'));
    dir.write("measure/.hidden", std::string(50000, 'h'));
    dir.write("measure/.git/objects/big", std::string(50000, 'g'));
    auto single = dir.write("single", std::string(1234, 's'));
    const auto visible = fileSystem.attributes((folder / "a").string())->allocatedSize;

    EXPECT_EQ(uninstaller.measureSize(folder.string()), visible);
    EXPECT_EQ(uninstaller.measureSize(single.string()), 1234);
    EXPECT_EQ(uninstaller.measureSize((dir / "missing").string()), 0);
}

TEST_F(AppUninstallerTest, RemovesOnlySelectedItemsInsideTheLibraryAndLinksAsLinks) {
    auto keep = addLeftover("Caches/keep/file");
    auto gone = addLeftover("Caches/gone/file");
    auto outside = dir.write("home/Documents/precious", "x");
    auto target = dir.write("home/Documents/linked-target", "x");
    std::filesystem::create_directories(dir / "home/Library/Preferences");
    std::filesystem::create_symlink(target, dir / "home/Library/Preferences/link.plist");
    auto item = [](std::string path, std::int64_t size, bool selected) {
        return model::UninstallItem{.id = platform::Uuid::random(), .kind = UninstallItemKind::caches,
                                    .path = std::move(path), .sizeBytes = size, .isSelected = selected};
    };

    auto result = uninstaller.uninstallItems({item(library("Caches/keep"), 100, false), item(library("Caches/gone"), 200, true),
                                              item(outside.string(), 300, true), item(library("Caches"), 400, true),
                                              item(library("Preferences/link.plist"), 5, true),
                                              item(library("Caches/never-there"), 600, true)});
    EXPECT_EQ(result.freedBytes, 205);
    EXPECT_THAT(result.failures,
                ElementsAre(outside.string(), library("Caches"), library("Caches/never-there")));
    EXPECT_TRUE(std::filesystem::exists(keep));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(gone).parent_path()));
    EXPECT_TRUE(std::filesystem::exists(outside));
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "home/Library/Preferences/link.plist"));

    auto none = uninstaller.uninstallItems({item(library("Caches/keep"), 100, false)});
    EXPECT_EQ(none.freedBytes, 0);
    EXPECT_THAT(none.failures, IsEmpty());
}

TEST(GroupContainerMatchTest, MatchesTheIdentifierBetweenDotsOnly) {
    for (const auto& [name, matches] : std::vector<std::pair<std::string, bool>>{
             {"com.a.b", true}, {"TEAM.com.a.b", true}, {"TEAM.com.a.b.shared", true}, {"com.a.b.x", true},
             {"com.a.bc", false}, {"xcom.a.b", false}, {"com.a", false}, {"TEAM.com.a.bb.com.a.b", true}}) {
        EXPECT_EQ(groupContainerMatches(name, "com.a.b"), matches) << name;
    }
    EXPECT_FALSE(groupContainerMatches("anything", ""));
}

TEST(GroupContainerMatchTest, AnIdentifierOfOneLabelClaimsNoContainer) {
    for (const auto& [name, id] : std::vector<std::pair<std::string, std::string>>{
             {"TEAM.com.other.app", "com"}, {"group.com.other", "group"}, {"com", "com"}, {"a..b", "a."}}) {
        EXPECT_FALSE(groupContainerMatches(name, id)) << id;
    }
    EXPECT_TRUE(groupContainerMatches("group.vendor.app", "vendor.app"));
}

TEST_F(AppUninstallerTest, NothingIsRemovedThroughALinkedLibrary) {
    const auto outside = dir.write("outside/Caches/com.example.x/data", "precious");
    std::filesystem::create_directories(dir / "home");
    std::filesystem::create_symlink(dir / "outside", dir / "home/Library");
    const auto result = uninstaller.uninstallItems({model::UninstallItem{.id = platform::Uuid::random(),
                                                                         .kind = UninstallItemKind::caches,
                                                                         .path = library("Caches/com.example.x"),
                                                                         .sizeBytes = 8,
                                                                         .isSelected = true}});
    EXPECT_THAT(result.failures, ElementsAre(library("Caches/com.example.x")));
    EXPECT_TRUE(std::filesystem::exists(outside));
}

TEST(AppUninstallerLinuxTest, ListsDesktopEntriesAndFindsLeftoversInTheXdgFoldersByIdAndName) {
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    const auto home = (dir / "home").string();
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(dir / "home", dir / "sys"),
                                                         fileSystem, 1000);
    AppUninstaller uninstaller{fileSystem, table};
    const auto entry = [](const std::string& name) {
        return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + name + "\n";
    };
    const auto mine = dir.write("home/.local/share/applications/org.example.Notes.desktop", entry("Notes")).string();
    dir.write("sys/usr/share/applications/org.example.Notes.desktop", entry("Shadowed"));
    const auto shared = dir.write("sys/usr/share/applications/viewer.desktop", entry("Viewer")).string();
    dir.write("sys/usr/share/applications/hidden.desktop", "[Desktop Entry]\nType=Application\nName=H\nNoDisplay=true\n");
    dir.write("sys/usr/share/applications/readme.txt", "x");

    std::vector<std::pair<std::string, std::string>> listed;
    for (const auto& app : uninstaller.listInstalledApps()) listed.emplace_back(app.bundleID, app.path);
    EXPECT_THAT(listed, ElementsAre(std::pair{"org.example.Notes", mine}, std::pair{"viewer", shared}));

    const std::string id = "org.example.Notes";
    for (const auto* relative : {".config/org.example.Notes/a", ".local/share/org.example.Notes/b",
                                 ".cache/Notes/c", ".local/state/org.example.Notes/d",
                                 ".config/autostart/org.example.Notes.desktop", ".config/org.example.NotesPro/e"})
        dir.write(std::filesystem::path("home") / relative, "x");
    std::vector<std::pair<UninstallItemKind, std::string>> found;
    for (const auto& item : uninstaller.findLeftovers({.name = "Notes", .bundleID = id, .path = mine, .version = ""}))
        found.emplace_back(item.kind, item.path);
    EXPECT_THAT(found, ElementsAre(std::pair{UninstallItemKind::application, mine},
                                   std::pair{UninstallItemKind::preferences, home + "/.config/" + id},
                                   std::pair{UninstallItemKind::appSupport, home + "/.local/share/" + id},
                                   std::pair{UninstallItemKind::savedState, home + "/.local/state/" + id},
                                   std::pair{UninstallItemKind::launchAgents, home + "/.config/autostart/" + id + ".desktop"},
                                   std::pair{UninstallItemKind::caches, home + "/.cache/Notes"}));

    // A system-wide entry is listed, never removed.
    const auto result = uninstaller.uninstallItems({model::UninstallItem{.id = platform::Uuid::random(),
                                                                         .kind = UninstallItemKind::application,
                                                                         .path = shared,
                                                                         .sizeBytes = 1,
                                                                         .isSelected = true}});
    EXPECT_THAT(result.failures, ElementsAre(shared));
    EXPECT_TRUE(std::filesystem::exists(shared));
}


// Desktop entries whose id, executable or name is one of the desktop's shared
// places, another application's folder or this program's own data.
TEST(AppUninstallerLinuxTest, SharedPlacesAreNeverLeftovers) {
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(dir / "home", dir / "sys"),
                                                         fileSystem, 1000);
    AppUninstaller uninstaller{fileSystem, table};
    const std::vector<std::string> shared = {
        ".config/autostart/other.desktop", ".config/systemd/user/a.service", ".config/dconf/user",
        ".config/google-chrome/Default/Cookies", ".cache/google-chrome/x", ".config/mimeapps.list",
        ".config/user-dirs.dirs", ".config/zentrel/settings.json", ".local/share/zentrel/backups/x",
        ".local/share/applications/viewer.desktop", ".local/share/Trash/files/x", ".local/share/keyrings/login",
        ".local/share/flatpak/x", ".config/discord/Local Storage"};
    for (const auto& relative : shared) dir.write(std::filesystem::path("home") / relative, "x");

    struct Case {
        std::string id, name, exec;
    };
    const Case cases[] = {
        {"launcher1", "applications", "launcher1"}, {"applications", "Applications", "x1"},
        {"Trash", "Trash", "trash"},                {"autostart", "Autostart", "autostart"},
        {"systemd", "S", "systemd"},                {"x2", "dconf", "dconf"},
        {"google-chrome", "Chrome", "google-chrome"}, {"keyrings", "K", "k"},
        {"flatpak", "F", "f"},                      {"zentrel", "Z", "z"},
        {"x3", " zentrel ", "zentrel"},             {"mimeapps.list", "M", "m"},
        {"user-dirs.dirs", "U", "u"},
        {"chrome-abcdef-Default", "discord", "/opt/google/chrome/google-chrome --app-id=abcdef"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id + " / " + c.name);
        const auto path = dir.write("home/.local/share/applications/" + c.id + ".desktop",
                                    "[Desktop Entry]\nType=Application\nName=" + c.name + "\nExec=" + c.exec + "\n")
                              .string();
        std::vector<std::string> found;
        for (const auto& item : uninstaller.findLeftovers({.name = c.name, .bundleID = c.id, .path = path, .version = ""}))
            found.push_back(item.path);
        EXPECT_THAT(found, ElementsAre(path));
    }
    for (const auto& relative : shared) EXPECT_TRUE(std::filesystem::exists(dir / "home" / relative)) << relative;

    // Items naming such a place are refused, whoever made them.
    const auto keyrings = (dir / "home/.local/share/keyrings").string();
    const auto result = uninstaller.uninstallItems({model::UninstallItem{
        .id = platform::Uuid::random(), .kind = UninstallItemKind::appSupport, .path = keyrings, .sizeBytes = 1, .isSelected = true}});
    EXPECT_THAT(result.failures, ElementsAre(keyrings));
    EXPECT_TRUE(std::filesystem::exists(keyrings));
}

TEST(AppUninstallerLinuxTest, LeftoverNamesComeFromTheIdAndTheExecutable) {
    EXPECT_THAT(leftoverNames(" org.example.Notes ", "notes", " Notes "), ElementsAre("org.example.Notes", "notes", "Notes"));
    EXPECT_THAT(leftoverNames("chrome-abc-Default", "google-chrome", "Discord"), ElementsAre("chrome-abc-Default", "google-chrome"));
    EXPECT_THAT(leftoverNames("..", "", "x"), IsEmpty());
}
// Applications a package manager installed, on a scratch system root with
// dpkg's file lists and Flatpak's and Snap's exported entries.
TEST(AppUninstallerLinuxTest, APackagesFilesAreNeverOfferedOnlyTheUsersOwnLeftovers) {
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    const auto home = (dir / "home").string();
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(dir / "home", dir / "sys"),
                                                         fileSystem, 1000);
    AppUninstaller uninstaller{fileSystem, table};
    const auto entry = [](const std::string& name, const std::string& exec) {
        return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n";
    };
    dir.write("sys/var/lib/dpkg/info/inkpad:amd64.list", "/.\n/usr/bin/inkpad\n/usr/share/applications/inkpad.desktop\n");
    dir.write("sys/var/lib/dpkg/info/other.list", "/usr/share/doc/other\n");
    const auto inkpad = dir.write("sys/usr/share/applications/inkpad.desktop", entry("Inkpad", "inkpad %F")).string();
    const auto loose = dir.write("sys/usr/local/share/applications/loose.desktop", entry("Loose", "loose")).string();
    dir.write("sys/var/lib/flatpak/exports/share/applications/org.example.Draw.desktop",
              entry("Draw", "/usr/bin/flatpak run org.example.Draw"));
    dir.write("sys/var/lib/snapd/desktop/applications/notes_notes.desktop", entry("Notes", "/snap/bin/notes"));
    dir.write("home/.config/inkpad/settings", "s");
    dir.write("home/.config/autostart/inkpad-helper.desktop", entry("Inkpad helper", "inkpad --tray"));
    dir.write("home/.config/autostart/tray.desktop", entry("Tray", "/usr/bin/inkpad --tray"));
    dir.write("home/.config/autostart/inkpadder.desktop", entry("Other", "other"));
    dir.write("home/.var/app/org.example.Draw/data/d", "d");
    dir.write("home/snap/notes/1/n", "n");

    std::map<std::string, model::InstalledApp> apps;
    for (auto& app : uninstaller.listInstalledApps()) apps[app.bundleID] = app;
    using Manager = model::PackageOwner::Manager;
    ASSERT_TRUE(apps.at("inkpad").package);
    EXPECT_EQ(*apps.at("inkpad").package, (model::PackageOwner{Manager::dpkg, "inkpad"}));
    EXPECT_EQ(apps.at("inkpad").package->removalCommand(), "sudo apt remove inkpad");
    EXPECT_EQ(apps.at("org.example.Draw").package->removalCommand(), "flatpak uninstall org.example.Draw");
    EXPECT_EQ(apps.at("notes_notes").package->removalCommand(), "sudo snap remove notes");
    EXPECT_FALSE(apps.at("loose").package);

    const auto leftovers = [&](const std::string& id) {
        std::vector<std::pair<UninstallItemKind, std::string>> found;
        for (const auto& item : uninstaller.findLeftovers(apps.at(id))) found.emplace_back(item.kind, item.path);
        return found;
    };
    EXPECT_THAT(leftovers("inkpad"),
                ElementsAre(std::pair{UninstallItemKind::preferences, home + "/.config/inkpad"},
                            std::pair{UninstallItemKind::launchAgents, home + "/.config/autostart/inkpad-helper.desktop"},
                            std::pair{UninstallItemKind::launchAgents, home + "/.config/autostart/tray.desktop"}));
    EXPECT_THAT(leftovers("org.example.Draw"),
                ElementsAre(std::pair{UninstallItemKind::appSupport, home + "/.var/app/org.example.Draw"}));
    EXPECT_THAT(leftovers("notes_notes"), ElementsAre(std::pair{UninstallItemKind::appSupport, home + "/snap/notes"}));

    // Well-known applications keep their data under names of their own.
    dir.write("sys/var/lib/dpkg/info/firefox-esr.list", "/usr/share/applications/firefox-esr.desktop\n");
    dir.write("sys/var/lib/dpkg/info/chromium.list", "/usr/share/applications/chromium.desktop\n");
    dir.write("sys/usr/share/applications/firefox-esr.desktop",
              entry("Firefox ESR", "/usr/lib/firefox-esr/firefox-esr %u"));
    dir.write("sys/usr/share/applications/chromium.desktop", entry("Chromium", "/usr/bin/chromium %U"));
    for (const auto* relative : {".mozilla/firefox/abc.default/cookies.sqlite", ".cache/mozilla/firefox/c",
                                 ".config/chromium/Default/Cookies", ".cache/chromium/Default/c"})
        dir.write(std::filesystem::path("home") / relative, "x");
    for (auto& app : uninstaller.listInstalledApps()) apps[app.bundleID] = app;
    EXPECT_THAT(leftovers("firefox-esr"),
                ElementsAre(std::pair{UninstallItemKind::appSupport, home + "/.mozilla"},
                            std::pair{UninstallItemKind::caches, home + "/.cache/mozilla"}));
    EXPECT_THAT(leftovers("chromium"),
                ElementsAre(std::pair{UninstallItemKind::caches, home + "/.cache/chromium"},
                            std::pair{UninstallItemKind::appSupport, home + "/.config/chromium"}));
    EXPECT_THAT(leftovers("inkpad"), ::testing::Not(::testing::Contains(
                                         std::pair{UninstallItemKind::appSupport, home + "/.mozilla"})));
    EXPECT_TRUE(uninstaller.uninstallItems(uninstaller.findLeftovers(apps.at("firefox-esr"))).failures.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "home/.mozilla"));

    auto items = uninstaller.findLeftovers(apps.at("org.example.Draw"));
    EXPECT_TRUE(uninstaller.uninstallItems(items).failures.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "home/.var/app/org.example.Draw"));
    EXPECT_TRUE(std::filesystem::exists(inkpad));
    EXPECT_TRUE(std::filesystem::exists(loose));
}

// A Linux desktop's home and system root in a scratch folder.
class LinuxUninstallerTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    std::string home = (dir / "home").string();
    AppUninstaller uninstaller{
        fileSystem, platform::HostTable::linuxDesktop(platform::HostLayout::forHome(dir / "home", dir / "sys"), fileSystem, 1000)};
};

}  // namespace
}  // namespace zentrel::services

namespace zentrel::model {
void PrintTo(const KeptBackItem& item, std::ostream* out) {
    *out << item.path << " (" << static_cast<int>(item.reason) << " " << item.detail << ")";
}
}  // namespace zentrel::model

namespace zentrel::services {
namespace {

// A scratch home with the programs and files entries may point at.
void writeProgramsHome(testing::TempDir& dir) {
    const auto program = [&](const std::string& relative) {
        std::filesystem::permissions(dir.write("home/" + relative, std::string(4096, 'x')),
                                     std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    };
    for (const auto* relative : {".local/opt/inkpad/inkpad", ".local/opt/inkpad/inkpad-helper", ".local/bin/tool",
                                 ".local/opt/office/soffice", "Applications/Sketch.AppImage", "Applications/Other.AppImage",
                                 "games/Quest-1.2/run", "tools/suite/writer", "tools/suite/calc", ".bashrc",
                                 "Pictures/Holiday/holiday", ".config/runner/run"})
        program(relative);
    for (const auto* relative : {".local/opt/inkpad/notes.txt", ".local/opt/inkpad/lib/libink.so",
                                 ".local/share/keyrings/login", "Pictures/Holiday/beach.jpg", "Applications/readme"})
        dir.write(std::filesystem::path("home") / relative, "user's");
    dir.write("sys/usr/bin/python3", "elf");
    std::filesystem::create_symlink(dir / "sys/usr/bin/python3", dir / "home/.local/bin/python3");
    std::filesystem::create_symlink("../opt/inkpad/inkpad", dir / "home/.local/bin/inkpad");
    std::filesystem::create_symlink("../Pictures/Holiday", dir / "home/games/holiday");
    dir.write("sys/opt/viewer/viewer", "v");
}

// Programs the user unpacked or copied into the home go with their entry, and
// only what is that application's alone: the sheet names what stays and why.
TEST(UserProgramUninstallTest, OnlyTheApplicationsOwnProgramIsOfferedAndWhatStaysIsNamed) {
    using Reason = model::KeptBackReason;
    struct Kept {
        std::string path;  // relative to the home
        Reason reason;
        std::string detail;
    };
    struct Case {
        std::string label;
        // The entries, the one removed first: id and keys, "~" for the home.
        std::vector<std::pair<std::string, std::string>> entries;
        std::vector<std::string> offered;  // besides the entry, relative to the home
        std::vector<Kept> keptBack;
    };
    const std::vector<Case> cases = {
        {"own folder", {{"inkpad", "Name=Inkpad\nExec=~/.local/opt/inkpad/inkpad %F"}}, {".local/opt/inkpad"}, {}},
        {"program another entry runs",
         {{"inkpad-viewer", "Name=Inkpad Viewer\nExec=~/.local/opt/inkpad/inkpad --view"},
          {"inkpad", "Name=Inkpad\nExec=~/.local/opt/inkpad/inkpad %F"}},
         {},
         {{".local/opt/inkpad/inkpad", Reason::usedByAnotherApp, "Inkpad"}}},
        {"folder a hidden entry keeps a program in",
         {{"inkpad", "Name=Inkpad\nExec=~/.local/opt/inkpad/inkpad"},
          {"inkpad-helper", "Name=Inkpad Helper\nNoDisplay=true\nExec=~/.local/opt/inkpad/inkpad-helper"}},
         {".local/opt/inkpad/inkpad"},
         {{".local/opt/inkpad", Reason::usedByAnotherApp, "Inkpad Helper"}}},
        {"program another entry reaches through a link",
         {{"inkpad", "Name=Inkpad\nExec=~/.local/opt/inkpad/inkpad"}, {"ink", "Name=Ink\nExec=~/.local/bin/inkpad"}},
         {},
         {{".local/opt/inkpad/inkpad", Reason::usedByAnotherApp, "Ink"}}},
        {"one tool, two entries",
         {{"tooly", "Name=Tooly\nExec=~/.local/bin/tool"}, {"other", "Name=Other\nExec=~/.local/bin/tool --other"}},
         {},
         {{".local/bin/tool", Reason::usedByAnotherApp, "Other"}}},
        {"a suite's launcher",
         {{"writer", "Name=Writer\nExec=~/.local/opt/office/soffice --writer"},
          {"calc", "Name=Calc\nExec=~/.local/opt/office/soffice --calc"},
          {"impress", "Name=Impress\nExec=~/.local/opt/office/soffice --impress"}},
         {},
         {{".local/opt/office/soffice", Reason::usedByAnotherApp, "Calc"}}},
        {"link to the system's program",
         {{"py", "Name=Python\nExec=~/.local/bin/python3"}}, {}, {{".local/bin/python3", Reason::linkOutsideHome, ""}}},
        {"link to a program of the home goes as the link",
         {{"ink", "Name=Ink\nExec=~/.local/bin/inkpad"}}, {".local/bin/inkpad"}, {}},
        {"program through a linked folder of pictures",
         {{"holiday", "Name=Holiday\nExec=~/games/holiday/holiday"}},
         {},
         {{"games/holiday/holiday", Reason::throughLinkedFolder, ""}}},
        {"dotfile", {{"rc", "Name=Rc\nExec=bash\nTryExec=~/.bashrc"}}, {}, {{".bashrc", Reason::settingsFile, ""}}},
        {"settings folder", {{"runner", "Name=Runner\nExec=~/.config/runner/run"}}, {".config/runner"},
         {{".config/runner/run", Reason::settingsFile, ""}}},
        {"folder in Pictures",
         {{"holiday", "Name=Holiday\nExec=~/Pictures/Holiday/holiday"}},
         {"Pictures/Holiday/holiday"},
         {{"Pictures/Holiday", Reason::insideUserFolder, "~/Pictures"}}},
        {"not executable", {{"readme", "Name=Readme\nExec=~/Applications/readme"}}, {},
         {{"Applications/readme", Reason::notAProgram, ""}}},
        {"AppImage", {{"sketch", "Name=Sketch\nExec=env GDK_SCALE=2 \"~/Applications/Sketch.AppImage\""}},
         {"Applications/Sketch.AppImage"}, {}},
        {"working folder", {{"quest", "Name=Quest\nPath=~/games/Quest-1.2\nExec=./run"}}, {"games/Quest-1.2"}, {}},
        {"the same program by its working folder",
         {{"quest", "Name=Quest\nPath=~/games/Quest-1.2\nExec=./run"},
          {"quest2", "Name=Quest Again\nPath=~/games/Quest-1.2\nExec=run"}},
         {},
         {{"games/Quest-1.2/run", Reason::usedByAnotherApp, "Quest Again"}}},
        {"folder shared with another program",
         {{"suite", "Name=Suite\nExec=~/tools/suite/calc"}, {"writer", "Name=Writer\nTryExec=~/tools/suite/writer\nExec=writer"}},
         {"tools/suite/calc"},
         {{"tools/suite", Reason::usedByAnotherApp, "Writer"}}},
        {"shared place", {{"keys", "Name=Keys\nExec=~/.local/share/keyrings/login"}}, {}, {}},
        {"climbing path", {{"climb", "Name=Climb\nExec=~/games/../.local/opt/inkpad/inkpad"}}, {}, {}},
        {"system program", {{"viewer", "Name=Viewer\nExec=SYS/opt/viewer/viewer"}}, {}, {}},
        {"missing", {{"missing", "Name=Missing\nExec=~/.local/opt/missing/missing"}}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        testing::TempDir dir;
        writeProgramsHome(dir);
        const auto home = (dir / "home").string();
        const auto expand = [&](std::string text) {
            for (std::size_t at; (at = text.find('~')) != std::string::npos;) text.replace(at, 1, home);
            for (std::size_t at; (at = text.find("SYS")) != std::string::npos;) text.replace(at, 3, (dir / "sys").string());
            return text;
        };
        std::vector<std::string> entryPaths;
        for (const auto& [id, keys] : c.entries) {
            entryPaths.push_back(dir.write("home/.local/share/applications/" + id + ".desktop",
                                           "[Desktop Entry]\nType=Application\n" + expand(keys) + "\n")
                                     .string());
        }
        platform::PosixFileSystem fileSystem;
        AppUninstaller uninstaller{fileSystem, platform::HostTable::linuxDesktop(
                                                   platform::HostLayout::forHome(dir / "home", dir / "sys"), fileSystem, 1000)};
        const auto& [id, keys] = c.entries.front();
        const auto found = uninstaller.surveyLeftovers({.name = id, .bundleID = id, .path = entryPaths.front()});

        std::vector<std::pair<UninstallItemKind, std::string>> items;
        for (const auto& item : found.items) items.emplace_back(item.kind, item.path);
        std::vector<std::pair<UninstallItemKind, std::string>> expected;
        for (const auto& relative : c.offered) {
            const auto kind = relative.starts_with(".config/") ? UninstallItemKind::preferences : UninstallItemKind::application;
            expected.emplace_back(kind, home + "/" + relative);
        }
        expected.emplace_back(UninstallItemKind::application, entryPaths.front());
        std::sort(items.begin(), items.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(items, expected);
        std::vector<model::KeptBackItem> keptBack;
        for (const auto& kept : c.keptBack)
            keptBack.push_back({home + "/" + kept.path, kept.reason, expand(kept.detail)});
        EXPECT_EQ(found.keptBack, keptBack);

        // Removing everything offered removes nothing else of the home.
        std::set<std::string> before;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir / "home")) before.insert(entry.path());
        EXPECT_THAT(uninstaller.uninstallItems(found.items).failures, IsEmpty());
        for (const auto& path : before) {
            const bool listed = std::any_of(found.items.begin(), found.items.end(), [&](const auto& item) {
                return path == item.path || path.starts_with(item.path + "/");
            });
            EXPECT_EQ(std::filesystem::symlink_status(path).type() != std::filesystem::file_type::not_found, !listed)
                << path;
        }
    }
}

TEST_F(LinuxUninstallerTest, AProgramNoEntryOffersIsRefusedWhoeverMadeTheItem) {
    std::filesystem::permissions(dir.write("home/.local/opt/inkpad/inkpad", std::string(4096, 'x')),
                                 std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    dir.write("home/.local/opt/inkpad/lib/libink.so", std::string(4096, 'y'));
    dir.write("home/tools/suite/writer", "w");
    const auto entry = dir.write("home/.local/share/applications/inkpad.desktop",
                                 "[Desktop Entry]\nType=Application\nName=Inkpad\nExec=" + home +
                                     "/.local/opt/inkpad/inkpad %F\n")
                           .string();
    auto items = uninstaller.findLeftovers({.name = "Inkpad", .bundleID = "inkpad", .path = entry});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_GE(items[0].sizeBytes, 8192);
    items.push_back({.id = platform::Uuid::random(), .kind = UninstallItemKind::application,
                     .path = home + "/tools/suite", .sizeBytes = 1, .isSelected = true});
    const auto result = uninstaller.uninstallItems(items);
    EXPECT_THAT(result.failures, ElementsAre(home + "/tools/suite"));
    EXPECT_EQ(result.freedBytes, items[0].sizeBytes + items[1].sizeBytes);
    EXPECT_FALSE(std::filesystem::exists(dir / "home/.local/opt/inkpad"));
    EXPECT_TRUE(std::filesystem::exists(dir / "home/.local/opt"));
    EXPECT_TRUE(std::filesystem::exists(dir / "home/tools/suite/writer"));
}

// A Vietnamese window lists the entries' Vietnamese names; the files the
// application left are found as in any language.
TEST_F(LinuxUninstallerTest, AnEntrysNameIsInTheWindowsLanguageWhileItsFilesKeepTheirOwn) {
    testing::ScopedDesktopTexts vietnamese("vi");
    const auto path = dir.write("home/.local/share/applications/calc.desktop",
                                "[Desktop Entry]\nType=Application\nName=Calculator\nName[vi]=M\u00e1y t\u00ednh\n"
                                "Exec=calc\n").string();
    dir.write("home/.cache/calc/x", "x");
    dir.write("home/.config/autostart/calc.desktop", "[Desktop Entry]\nType=Application\nName=C\nExec=other\n");
    const auto apps = uninstaller.listInstalledApps();
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(apps[0].name, "M\u00e1y t\u00ednh");
    std::vector<std::string> found;
    for (const auto& item : uninstaller.findLeftovers(apps[0])) found.push_back(item.path);
    EXPECT_THAT(found, ::testing::IsSupersetOf({home + "/.cache/calc", home + "/.config/autostart/calc.desktop"}));
}

}  // namespace
}  // namespace zentrel::services
