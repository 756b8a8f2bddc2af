#include "platform/DesktopTexts.hpp"

namespace zentrel::platform {

void addDesktopTexts(Localization& localization) {
    localization.addTranslations(
        "en",
        {
            {" stored on this Mac", " stored on this computer"},
            {"A service that launches automatically when your Mac starts",
             "A service that starts automatically when you log in"},
            {"Freed %@ on your Mac", "Freed %@ on your computer"},
            {"Large file taking up significant space on your Mac",
             "Large file taking up significant space on your computer"},
            {"On-device safety rules \u2014 nothing leaves your Mac.",
             "On-device safety rules \u2014 nothing leaves your computer."},
            {"Recent files shown in Finder sidebar and menus", "Recent files shown by the file manager and menus"},
            {"Scan and clean caches, logs, and app data across your Mac",
             "Scan and clean caches, logs, and app data across your computer"},
            {"Scanning your Mac\u2026", "Scanning your computer\u2026"},
            {"Scans all cleanup categories on your Mac.", "Scans all cleanup categories on your computer."},
            {"Scans only this category, not your entire Mac.", "Scans only this category, not your entire computer."},
            {"Scans your Mac to build a cleanup recommendation.",
             "Scans your computer to build a cleanup recommendation."},
            {"Temporary data macOS saved \u2014 safe to clear", "Temporary data the system saved \u2014 safe to clear"},
            {"After an app update, turn the Zentrel toggle OFF then ON in Full Disk Access if access still isn't "
             "detected.",
             "If you changed your user's groups to give access, log out and back in so Zentrel sees the change."},
            {"After an update, toggle Zentrel OFF then ON if access isn't detected",
             "If your home folder lies on a drive that is not mounted, mount it first"},
            {"Automatically scan your Mac on a schedule.", "Automatically scan your computer on a schedule."},
            {"Caches, Xcode, duplicates, iOS backups, and more",
             "Caches, developer tools, duplicates, device backups, and more"},
            {"Click \"Open Privacy & Security Settings\" above", "Click \"Open Home Folder\" above"},
            {"Clipboard analysis runs entirely on your Mac. Nothing is sent to the cloud.",
             "Clipboard analysis runs entirely on your computer. Nothing is sent to the cloud."},
            {"Each permission unlocks a specific feature. Already granted items show ON \u2014 tap the rest to open the "
             "right Settings pane.",
             "Each permission unlocks a specific feature. Already granted items show ON \u2014 click the rest to set "
             "them up here."},
            {"Enabled in Settings but still shows Enable? macOS only applies Full Disk Access after Zentrel restarts. "
             "After an update, toggle Zentrel OFF then ON.",
             "Zentrel cannot read your home folder. Give your user read access to it (chmod u+rwx ~), then click "
             "the row to check again."},
            {"Full Disk Access", "Home Folder Access"},
            {"Full Disk Access not detected. Please enable it and try again.",
             "Your home folder still cannot be read. Fix its permissions and try again."},
            {"Full Disk Access Required", "Home Folder Access Required"},
            {"Lives in your menu bar", "Lives in your system tray"},
            {"Only removes files your Mac can rebuild", "Only removes files your computer can rebuild"},
            {"Opens Full Disk Access in System Settings.", "Opens your home folder in the file manager."},
            {"Quit Zentrel completely (\u2318Q), then reopen it", "Quit Zentrel completely (Ctrl+Q), then reopen it"},
            {"Restarts the app so macOS applies Full Disk Access.",
             "Restarts the app so it reads your home folder again."},
            {"Return here and tap \"I've granted access \u2014 continue\"",
             "Return here and click \"I've granted access \u2014 continue\""},
            {"Scroll down to Full Disk Access", "Open the folder's Properties and its Permissions tab"},
            {"Show daily battery drain in menu bar", "Show daily battery drain in the tray popover"},
            {"Steps to enable Full Disk Access", "Steps to give Zentrel access to your home folder"},
            {"Tracks which apps used the most energy today. Requires Apple Silicon for hardware power readings.",
             "Tracks which apps used the most energy today. Hardware power readings need a processor whose energy "
             "counters the system exposes (powercap)."},
            {"Turn ON the toggle next to Zentrel \u2014 or add it with + if not listed",
             "Let the owner create and delete files there \u2014 or run chmod u+rwx ~ in a terminal"},
            {"Verifies Full Disk Access and continues to the app.",
             "Verifies that your home folder can be read and continues to the app."},
            {"Works completely offline \u2014 no data ever leaves your Mac",
             "Works completely offline \u2014 no data ever leaves your computer"},
            {"Your Mac, but faster", "Your computer, but faster"},
            {"Zentrel finds files your Mac no longer needs \u2014 caches, logs, old build files \u2014 and removes "
             "them safely so you reclaim space and feel snappier.",
             "Zentrel finds files your computer no longer needs \u2014 caches, logs, old build files \u2014 and "
             "removes them safely so you reclaim space and feel snappier."},
            {"Zentrel needs Full Disk Access to scan and clean\nXcode caches, app data, and system files.",
             "Zentrel needs to read your home folder to scan and clean\ncaches, app data, and logs."},
            {"Zentrel will appear in the menu bar when you log in.",
             "Zentrel will appear in the system tray when you log in."},
            {"macOS only applies Full Disk Access after Zentrel restarts. Make sure the toggle is ON, then reopen the "
             "app below.",
             "Your user needs permission to read and open the home folder (chmod u+rwx ~). Then reopen the app below."},
            {"Open Privacy & Security Settings", "Open Home Folder"},
            {"Focus mode", "Do Not Disturb"},
            {"Suggest calm-down during Focus", "Suggest calm-down during Do Not Disturb"},
            {"When a Focus session is active, Zentrel highlights heavy background apps for one-tap calm down.",
             "When Do Not Disturb is on, Zentrel highlights heavy background apps for one-tap calm down."},
            {"Đã bật trong Settings mà vẫn hiện Enable? macOS chỉ áp dụng quyền Accessibility sau khi khởi động lại "
             "Zentrel.",
             "Bộ gõ cần máy chủ X bật phần mở rộng RECORD và XTEST. Hãy bật chúng trong cấu hình máy chủ X rồi "
             "đăng nhập lại, hoặc gõ qua bộ gõ IBus của Zentrel."},
        });
}

}  // namespace zentrel::platform
