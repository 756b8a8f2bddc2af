#include "doubles/LinuxHomeFixture.hpp"

#include "doubles/CookieStoreFixtures.hpp"

#include <chrono>
#include <fstream>

namespace zentrel::testing {

namespace {

namespace fs = std::filesystem;

fs::path write(const fs::path& path, std::string_view contents) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return path;
}

// A file of `size` bytes that takes (almost) no room on disk.
fs::path sparse(const fs::path& path, std::uintmax_t size) {
    write(path, "");
    fs::resize_file(path, size);
    return path;
}

void age(const fs::path& path, int days) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * days));
}

}  // namespace

LinuxHomeFixture generateLinuxHome(const fs::path& folder) {
    LinuxHomeFixture f{folder / "home", folder / "sys", {}};
    const auto& h = f.home;
    const auto& s = f.systemRoot;
    auto expect = [&](const std::string& category, const fs::path& path) { f.expectedPaths[category].insert(path.string()); };

    write(h / ".config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    write(h / "Documents/notes.txt", "mine");

    // App caches and the user's caches.
    write(h / ".config/Code/CachedData/abc/blob", std::string(5000, 'v'));
    expect("App Caches", h / ".config/Code/CachedData");
    write(h / ".cache/google-chrome/Default/Cache/data", std::string(6000, 'c'));
    expect("App Caches", h / ".cache/google-chrome");
    write(h / ".cache/evolution/mail/account/msg1", std::string(4000, 'm'));
    expect("App Caches", h / ".cache/evolution/mail");
    write(h / ".cache/fontconfig-big/blob", std::string(10'000'100, 'f'));
    expect("System Caches", h / ".cache/fontconfig-big");
    write(h / ".cache/small-app/blob", "tiny");

    // Shared caches of the system root: offered only when the user may delete them.
    write(s / "var/tmp/build-cache/blob", std::string(10'000'100, 'b'));
    expect("System Caches", s / "var/tmp/build-cache");
    fs::create_directories(s / "var/cache");

    // The Trash with its info entries, and an old large download.
    write(h / ".local/share/Trash/files/old.txt", std::string(3000, 'o'));
    write(h / ".local/share/Trash/info/old.txt.trashinfo", "[Trash Info]\nPath=/old.txt\n");
    expect("Trash & Downloads", h / ".local/share/Trash");
    age(sparse(h / "Downloads/installer.iso", 100'000'001), 60);
    expect("Trash & Downloads", h / "Downloads/installer.iso");

    // Tool caches.
    write(h / ".cache/pip/wheels/x.whl", std::string(7000, 'w'));
    age(h / ".cache/pip", 60);
    expect("Dev Tools", h / ".cache/pip");
    write(h / ".npm/_cacache/index", std::string(3000, 'n'));
    expect("Dev Tools", h / ".npm/_cacache");

    // A large file among the videos.
    sparse(h / "Videos/holiday.mkv", 500'000'001);
    expect("Large Files", h / "Videos/holiday.mkv");

    // Startup: an autostart entry, a user unit enabled at login, a system-wide entry.
    write(h / ".config/autostart/sync.desktop", "[Desktop Entry]\nType=Application\nName=Sync Helper\nExec=sync-helper\n");
    expect("Startup Items", h / ".config/autostart/sync.desktop");
    write(h / ".config/systemd/user/notes.service", "[Service]\nExecStart=/bin/true\n");
    fs::create_directories(h / ".config/systemd/user/default.target.wants");
    fs::create_symlink("../notes.service", h / ".config/systemd/user/default.target.wants/notes.service");
    expect("Startup Items", h / ".config/systemd/user/default.target.wants/notes.service");
    write(s / "etc/xdg/autostart/indexer.desktop", "[Desktop Entry]\nType=Application\nName=Indexer\nExec=indexer\n");
    expect("Startup Items", s / "etc/xdg/autostart/indexer.desktop");

    // Privacy: cookie stores at the current and the older place, Firefox from profiles.ini.
    writeChromiumCookieDatabase(h / ".config/google-chrome/Default/Network/Cookies", {".doubleclick.net", "example.com"});
    expect("Privacy", h / ".config/google-chrome/Default/Network/Cookies");
    writeChromiumCookieDatabase(h / ".config/BraveSoftware/Brave-Browser/Profile 1/Cookies",
                                {".scorecardresearch.com", "news.example"});
    expect("Privacy", h / ".config/BraveSoftware/Brave-Browser/Profile 1/Cookies");
    write(h / ".mozilla/firefox/profiles.ini",
          "[Install4F96D1932A9F858E]\nDefault=abc.default-release\n\n[Profile0]\nName=default-release\n"
          "IsRelative=1\nPath=abc.default-release\nDefault=1\n\n[General]\nStartWithLastProfile=1\n");
    writeFirefoxCookieDatabase(h / ".mozilla/firefox/abc.default-release/cookies.sqlite",
                               {".google-analytics.com", "mail.example"});
    expect("Privacy", h / ".mozilla/firefox/abc.default-release/cookies.sqlite");
    write(h / ".local/share/recently-used.xbel", "<?xml version=\"1.0\"?><xbel version=\"1.0\"></xbel>\n");
    expect("Privacy", h / ".local/share/recently-used.xbel");
    write(h / ".cache/thumbnails/normal/two.png", std::string(500, 'p'));
    expect("Privacy", h / ".cache/thumbnails");
    write(h / ".bash_history", "ls\ncd projects\n");
    expect("Privacy", h / ".bash_history");
    write(h / ".local/share/fish/fish_history", "- cmd: ls\n  when: 1700000000\n");
    expect("Privacy", h / ".local/share/fish/fish_history");
    write(h / ".config/zentrel/com.torvane.zentrel.json", R"({"privacyIncludeTerminalHistory": true})");

    // Two copies of one document.
    const std::string copy(150000, 'd');
    write(h / "Documents/report.pdf", copy);
    write(h / "Downloads/report.pdf", copy);
    expect("Duplicates", h / "Documents/report.pdf");
    expect("Duplicates", h / "Downloads/report.pdf");
    return f;
}

}  // namespace zentrel::testing
