#pragma once
// A text field in memory: final text with the caret at its end, and the
// marked text shown after it.

#include "ime/IMEClient.hpp"
#include "typing/engine/VietText.hpp"

namespace zentrel::testing {

class FakeIMEClient final : public ime::IMEClient {
public:
    [[nodiscard]] std::optional<std::string> identity() const override { return identityValue; }
    [[nodiscard]] bool isSecureField() const override { return secure; }
    void setMarkedText(const std::string& text) override { marked = typing::toUtf32(text); }
    void insertText(const std::string& text) override {
        marked.clear();
        text_ += typing::toUtf32(text);
    }
    void deleteBeforeCaret(std::size_t count) override { text_.erase(text_.size() - std::min(count, text_.size())); }

    // The final text alone, and what the user sees (final text and marked text).
    [[nodiscard]] std::string text() const { return typing::toUtf8(text_); }
    [[nodiscard]] std::string visible() const { return typing::toUtf8(text_ + marked); }

    std::optional<std::string> identityValue;
    bool secure = false;
    std::u32string marked;

private:
    std::u32string text_;
};

}  // namespace zentrel::testing
