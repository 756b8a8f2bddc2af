#pragma once
// A clipboard that holds its text in memory.

#include "platform/Clipboard.hpp"

namespace zentrel::testing {

class MemoryClipboard final : public platform::Clipboard {
public:
    [[nodiscard]] std::optional<std::string> text() const override {
        if (!contents || contents->empty()) return std::nullopt;
        return contents;
    }
    void clear() override { contents.reset(); }
    void setText(const std::string& text) override { contents = text; }

    std::optional<std::string> contents;
};

}  // namespace zentrel::testing
