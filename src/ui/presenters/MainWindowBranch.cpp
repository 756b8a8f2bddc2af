#include "ui/presenters/MainWindowBranch.hpp"

#include "platform/text/Localization.hpp"

#include <algorithm>

namespace zentrel::ui {

MainWindowBranch mainWindowBranch(bool onboardingDone, bool isCheckingFullDiskAccess, bool fullDiskAccess) {
    if (!onboardingDone) return MainWindowBranch::onboarding;
    if (isCheckingFullDiskAccess) return MainWindowBranch::checkingAccess;
    return fullDiskAccess ? MainWindowBranch::content : MainWindowBranch::fullDiskAccess;
}

WindowFrame frameOf(MainWindowBranch branch) {
    switch (branch) {
    case MainWindowBranch::onboarding: return {680, 640, true};
    case MainWindowBranch::content: return {900, 600, false};
    case MainWindowBranch::checkingAccess:
    case MainWindowBranch::fullDiskAccess: break;
    }
    return {700, 520, true};
}

WindowFrame fittedFrame(WindowFrame frame, int availableWidth, int availableHeight) {
    if (availableWidth > 0) frame.width = std::min(frame.width, availableWidth);
    if (availableHeight > 0) frame.height = std::min(frame.height, availableHeight);
    return frame;
}

const char* typingToggleTitle(bool typingEnabled) {
    return typingEnabled ? N_("Tắt bộ gõ tiếng Việt") : N_("Bật bộ gõ tiếng Việt");
}

}  // namespace zentrel::ui
