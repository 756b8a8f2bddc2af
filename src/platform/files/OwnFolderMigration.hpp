#pragma once
// Older versions kept this program's data in the XDG data folder under
// N_("Zentrel") and "com.torvane.zentrel" as well as "zentrel". At start, the
// entries of those folders move into the one own data folder: each one only
// where that name is free (nothing is overwritten; what stays is left where
// it was), as it is (a link moves as a link, none is followed), and an old
// folder left empty goes. An old folder that is a link, or an own folder
// that is one, is left alone. The window and the input method each run it at
// start, so both read the typing settings from the same file whichever
// starts first.

#include "platform/places/HostLayout.hpp"
#include "platform/text/Localization.hpp"

#include <string>
#include <vector>

namespace zentrel::platform {

// The names of the older folders, inside the XDG data folder.
inline constexpr std::string_view kLegacyDataFolders[] = {N_("Zentrel"), "com.torvane.zentrel"};

struct OwnFolderMigration {
    int moved = 0;
    // Paths that stayed because the own folder has an entry of that name.
    std::vector<std::string> kept;
};

OwnFolderMigration moveLegacyOwnFolders(const HostLayout& layout);

}  // namespace zentrel::platform
