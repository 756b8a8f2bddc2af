#include "services/apps/DesktopEntry.hpp"
#include "services/apps/DesktopEntryIndex.hpp"

#include "doubles/TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using ::testing::ElementsAre;

TEST(DesktopEntryTest, ReadsNameIconAndProgramNames) {
    const auto entry = DesktopEntry::parse(R"([Desktop Entry]
# A comment
Type=Application
Name=Text Editor
Name[vi]=Trình soạn thảo
Icon=org.example.Editor
Exec=env GTK_THEME=dark "/opt/Example Apps/editor-bin" --new-window %U
TryExec=/usr/bin/editor
StartupWMClass=EditorWindow

[Desktop Action new]
Name=Should not replace
Exec=other
)",
                                           "org.example.Editor");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->id, "org.example.Editor");
    EXPECT_EQ(entry->name, "Text Editor");
    EXPECT_EQ(entry->icon, "org.example.Editor");
    EXPECT_THAT(entry->programNames, ElementsAre("editor-bin", "editor", "editorwindow"));
}

TEST(DesktopEntryTest, PicksTheTranslatedNameAndUnescapesValues) {
    const auto entry = DesktopEntry::parse("[Desktop Entry]\nType=Application\nName=Files\nName[vi]=T\\sệp\nExec=nautilus\n",
                                           "org.gnome.Nautilus", "vi");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "T ệp");
    EXPECT_THAT(entry->programNames, ElementsAre("nautilus"));
}

TEST(DesktopEntryTest, SkipsLaunchersAndKeepsTheIdsLastPart) {
    const auto entry =
        DesktopEntry::parse("[Desktop Entry]\nType=Application\nName=Maps\nExec=flatpak run org.gnome.Maps\n",
                            "org.gnome.Maps");
    ASSERT_TRUE(entry);
    EXPECT_THAT(entry->programNames, ElementsAre("maps"));
}

TEST(DesktopEntryTest, RefusesWhatIsNotAShownWindowedApplication) {
    const char* refused[] = {
        "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n",
        "[Desktop Entry]\nType=Application\nName=Shell\nExec=gnome-shell\nNoDisplay=true\n",
        "[Desktop Entry]\nType=Application\nName=Gone\nExec=gone\nHidden=true\n",
        "[Desktop Entry]\nType=Application\nName=Top\nExec=htop\nTerminal=true\n",
        "[Desktop Entry]\nType=Application\nExec=nameless\n",
        "[Other Group]\nType=Application\nName=Wrong group\nExec=x\n",
        "",
    };
    for (const char* text : refused) EXPECT_EQ(DesktopEntry::parse(text, "x"), std::nullopt) << text;
}

TEST(DesktopEntryIndexTest, EarlierFoldersWinAndHiddenOverridesHide) {
    testing::TempDir temp;
    temp.write("user/apps/editor.desktop", "[Desktop Entry]\nType=Application\nName=My Editor\nExec=editor\n");
    temp.write("user/apps/player.desktop", "[Desktop Entry]\nType=Application\nName=Player\nHidden=true\n");
    temp.write("system/apps/editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor\n");
    temp.write("system/apps/player.desktop", "[Desktop Entry]\nType=Application\nName=Player\nExec=player\n");
    temp.write("system/apps/kde4/viewer.desktop", "[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer\n");
    temp.write("system/apps/readme.txt", "not an entry");

    DesktopEntryIndex index({temp / "user/apps", temp / "missing", temp / "system/apps"});
    index.refresh();
    EXPECT_EQ(index.size(), 2u);
    ASSERT_NE(index.entryForProgram("editor"), nullptr);
    EXPECT_EQ(index.entryForProgram("editor")->name, "My Editor");
    EXPECT_EQ(index.entryForProgram("player"), nullptr);
    ASSERT_NE(index.entryForProgram("viewer"), nullptr);
    EXPECT_EQ(index.entryForProgram("viewer")->id, "kde4-viewer");
    EXPECT_EQ(index.entryForFile(temp / "system/apps/kde4/viewer.desktop"), index.entryForProgram("viewer"));
}

}  // namespace
}  // namespace zentrel::services
