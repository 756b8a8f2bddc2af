#pragma once
// The desktop's clipboard through Qt. Main thread only.

#include "platform/desktop/Clipboard.hpp"

namespace zentrel::app {

class QtClipboard final : public platform::Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() const override;
    void clear() override;
    void setText(const std::string& text) override;
};

}  // namespace zentrel::app
