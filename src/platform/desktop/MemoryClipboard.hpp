#pragma once
// A clipboard that holds its text in memory: for programs without a desktop
// clipboard, and for tests.

#include "platform/desktop/Clipboard.hpp"

namespace zentrel::platform {

class MemoryClipboard final : public Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() const override {
        if (!contents || contents->empty()) return std::nullopt;
        return contents;
    }
    void clear() override { contents.reset(); }
    void setText(const std::string& text) override { contents = text; }

    std::optional<std::string> contents;
};

}  // namespace zentrel::platform
