#include "model/KeptBackItem.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::model {

std::string keptBackReasonText(const KeptBackItem& item) {
    using platform::localized;
    using platform::localizedFormat;
    switch (item.reason) {
    case KeptBackReason::usedByAnotherApp: return localizedFormat("also used by %@", {item.detail});
    case KeptBackReason::notAProgram: return localized("not an executable program file");
    case KeptBackReason::linkOutsideHome: return localized("a link to a program outside your home folder");
    case KeptBackReason::throughLinkedFolder: return localized("reached through a linked folder");
    case KeptBackReason::settingsFile: return localized("a settings file of your home folder");
    case KeptBackReason::insideUserFolder:
        // TRANSLATORS: the folder is one of the user's own, e.g. "/home/an/Pictures".
        return localizedFormat("inside your folder %@: only the program file is offered", {item.detail});
    }
    return {};
}

}  // namespace zentrel::model
