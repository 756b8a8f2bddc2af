#pragma once
// A file or folder that an application's entry points at but the uninstaller
// does not offer with it, and why: the user sees what stays and the reason.

#include <string>

namespace zentrel::model {

enum class KeptBackReason {
    usedByAnotherApp,  // another entry runs it or keeps its program there
    notAProgram,       // no executable regular file
    linkOutsideHome,   // a link whose target is no program of the home
    throughLinkedFolder,  // reached through a linked folder: its target would go
    settingsFile,      // a dotfile or a file of the home's settings
    insideUserFolder,  // a folder inside one of the user's own folders
};

struct KeptBackItem {
    std::string path;
    KeptBackReason reason = KeptBackReason::notAProgram;
    // The other application's name, or the user folder's path.
    std::string detail;

    bool operator==(const KeptBackItem&) const = default;
};

// The reason in the window's language: "also used by Inkpad Viewer".
[[nodiscard]] std::string keptBackReasonText(const KeptBackItem& item);

}  // namespace zentrel::model
