#pragma once
// Where a component finds the user's files: the home folder, the system root
// and the per-user data folders. Every component takes one from outside, so
// tests run over a fresh temporary folder and never see the real home.

#include <filesystem>
#include <string_view>

namespace zentrel::platform {

// The App Group suite shared with the home-screen widget.
inline constexpr std::string_view kAppGroupSuite = "group.com.torvane.zentrel";
// The standard suite of the main app.
inline constexpr std::string_view kStandardSuite = "com.torvane.zentrel";

struct HostLayout {
    std::filesystem::path home;
    std::filesystem::path systemRoot;
    std::filesystem::path configHome;  // settings files (XDG config folder)
    std::filesystem::path dataHome;    // the user's application support (XDG data folder)
    std::filesystem::path cacheHome;   // the XDG cache folder
    std::filesystem::path stateHome;   // the XDG state folder

    // A layout inside `home`: the XDG folders are "home/.config",
    // "home/.local/share", "home/.cache" and "home/.local/state", whatever
    // the environment says. An empty `systemRoot` means none: nothing of the
    // machine outside the home folder is read or changed.
    [[nodiscard]] static HostLayout forHome(const std::filesystem::path& home,
                                            const std::filesystem::path& systemRoot = "/");
    // The real user's layout from HOME and the XDG variables; only programs
    // use this, never tests.
    [[nodiscard]] static HostLayout fromEnvironment();

    // The settings file of a defaults suite.
    [[nodiscard]] std::filesystem::path defaultsFile(std::string_view suite) const;
    // A path under the system root, e.g. systemPath("Library/Caches");
    // empty when there is no system root.
    [[nodiscard]] std::filesystem::path systemPath(const std::filesystem::path& relative) const;
};

}  // namespace zentrel::platform
