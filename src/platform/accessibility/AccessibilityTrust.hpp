#pragma once
// Whether this process is trusted to watch and inject keyboard input in other
// applications (the typing feature needs it).

namespace zentrel::platform {

class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;
    // `prompt` also asks the desktop to show how to grant it, where it can.
    // May block briefly; callable from any thread.
    [[nodiscard]] virtual bool isProcessTrusted(bool prompt) = 0;
};

}  // namespace zentrel::platform
