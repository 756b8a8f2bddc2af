#pragma once
// What the main window shows, in the order the app decides it: onboarding
// until it is finished, the checking screen while the first Full Disk Access
// probe runs, the content when access is granted, else the access screen.

namespace zentrel::ui {

enum class MainWindowBranch { onboarding, checkingAccess, content, fullDiskAccess };

[[nodiscard]] MainWindowBranch mainWindowBranch(bool onboardingDone, bool isCheckingFullDiskAccess,
                                                bool fullDiskAccess);

struct WindowFrame {
    int width = 0;
    int height = 0;
    bool fixed = true;  // otherwise the size is a minimum

    bool operator==(const WindowFrame&) const = default;
};

[[nodiscard]] WindowFrame frameOf(MainWindowBranch branch);
// `frame` no larger than the screen's free area (`available`, in the same
// points as the frame: at twice the scale a 1920x1080 screen has 960x540).
[[nodiscard]] WindowFrame fittedFrame(WindowFrame frame, int availableWidth, int availableHeight);

// The application menu's typing toggle: N_("Tắt bộ gõ tiếng Việt") while typing
// is on, N_("Bật bộ gõ tiếng Việt") while it is off.
[[nodiscard]] const char* typingToggleTitle(bool typingEnabled);

}  // namespace zentrel::ui
