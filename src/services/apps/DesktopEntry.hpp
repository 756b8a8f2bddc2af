#pragma once
// A desktop entry (".desktop" file) of a graphical application: its name, its
// icon and the program names by which its process can be recognised.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::services {

struct DesktopEntry {
    std::string id;  // the desktop file id, without ".desktop"
    std::string name;            // in the language asked for where the entry has it
    std::string untranslatedName;  // Name as written, by which the application's own files are named
    std::optional<std::string> icon;
    // Lower-case names of the executable the application runs as.
    std::vector<std::string> programNames;
    // The file name of the program Exec runs, as written; empty when Exec
    // runs a launcher ("env", "flatpak", a shell...) or nothing.
    std::string executable;
    // Where the program lies as the entry says: Exec's program as written
    // (a bare name is looked up on PATH), TryExec, and the working folder
    // Path. Empty when not given.
    std::string execPath;
    std::string tryExec;
    std::string workingFolder;

    // Reads the "Desktop Entry" group of a desktop file. Gives nullopt for
    // anything that is not an application shown to the user in a window:
    // other types, hidden entries, terminal programs, entries without a name.
    // `language` picks a translated name ("Name[vi]") when there is one.
    [[nodiscard]] static std::optional<DesktopEntry> parse(std::string_view text, std::string id,
                                                           std::string_view language = "en");
    // The same for any application entry that can run, shown in the menus
    // or not (NoDisplay, terminal programs); one without a name is named by
    // its id. Hidden (deleted) entries and other types give nullopt.
    [[nodiscard]] static std::optional<DesktopEntry> parseRunnable(std::string_view text, std::string id,
                                                                   std::string_view language = "en");

private:
    [[nodiscard]] static std::optional<DesktopEntry> parseEntry(std::string_view text, std::string id,
                                                                std::string_view language, bool shownOnly);
};

}  // namespace zentrel::services
