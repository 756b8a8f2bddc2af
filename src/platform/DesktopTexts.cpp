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
            {"Starts a full scan of your Mac.", "Starts a full scan of your computer."},
            {"Temporary data macOS saved \u2014 safe to clear", "Temporary data the system saved \u2014 safe to clear"},
            {"Zentrel will scan your Mac first, then clean safe items. This action cannot be undone.",
             "Zentrel will scan your computer first, then clean safe items. This action cannot be undone."},
        });
}

}  // namespace zentrel::platform
