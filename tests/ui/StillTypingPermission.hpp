#pragma once
// The key tap's permission for the first-run screens, never granted and
// never changing.

#include "ui/presenters/PermissionChecklist.hpp"

namespace zentrel::testing {

class StillTypingPermission final : public ui::TypingPermission {
public:
    [[nodiscard]] Kind kind() const override { return Kind::keyTap; }
    [[nodiscard]] bool granted() const override { return false; }
    void setUp() override {}
    [[nodiscard]] platform::Subscription observe(std::function<void()>) override { return {}; }
};

}  // namespace zentrel::testing
