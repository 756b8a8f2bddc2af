#pragma once
// Where a component finds the user's files: the home folder, the system root
// and the per-user data folders. Every component takes one from outside, so
// tests run over a fresh temporary folder and never see the real home.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// The App Group suite shared with the home-screen widget.
inline constexpr std::string_view kAppGroupSuite = "group.com.torvane.zentrel";
// The standard suite of the main app.
inline constexpr std::string_view kStandardSuite = "com.torvane.zentrel";

// The name of this program's folder in each XDG folder.
inline constexpr std::string_view kOwnFolderName = "zentrel";

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
    // The layout of `home` with the XDG base folders `variable` gives
    // ("XDG_CACHE_HOME"...); one that is not an acceptable location (see
    // xdgLocationProblem) is ignored with a warning and the default kept.
    [[nodiscard]] static HostLayout withXdgVariables(
        const std::filesystem::path& home, const std::function<std::optional<std::string>(std::string_view)>& variable);

    // This program's own folder of each XDG kind, named kOwnFolderName: its
    // settings, its data (sweep backups, the typing settings the input
    // method reads, its installed copy), its caches.
    [[nodiscard]] std::filesystem::path ownConfigFolder() const { return configHome / kOwnFolderName; }
    [[nodiscard]] std::filesystem::path ownDataFolder() const { return dataHome / kOwnFolderName; }
    [[nodiscard]] std::filesystem::path ownCacheFolder() const { return cacheHome / kOwnFolderName; }

    // The settings file of a defaults suite.
    [[nodiscard]] std::filesystem::path defaultsFile(std::string_view suite) const;
    // A path under the system root, e.g. systemPath("Library/Caches");
    // empty when there is no system root.
    [[nodiscard]] std::filesystem::path systemPath(const std::filesystem::path& relative) const;
};

// Why `value` cannot stand for an XDG location of `home`, or nothing when it
// can: it must be an absolute, normalised path, neither "/" nor the home nor a
// folder above it, and, for a user folder (`insideHome`), inside the home.
[[nodiscard]] std::optional<std::string> xdgLocationProblem(std::string_view value, const std::filesystem::path& home,
                                                            bool insideHome);

}  // namespace zentrel::platform
