#pragma once
// A text field in memory: final text with the caret at its end, the marked
// text shown after it, and the edits that made the final text.

#include "ime/IMEClient.hpp"
#include "typing/engine/VietText.hpp"

#include <string>
#include <vector>

namespace zentrel::testing {

class FakeIMEClient final : public ime::IMEClient {
public:
    [[nodiscard]] std::optional<std::string> identity() const override { return identityValue; }
    [[nodiscard]] bool isSecureField() const override { return secure; }
    [[nodiscard]] bool keepsMarkedText() const override { return keepsMarked; }
    void setMarkedText(const std::string& text) override { marked = typing::toUtf32(text); }
    void insertText(const std::string& text) override {
        marked.clear();
        text_ += typing::toUtf32(text);
        edits.push_back("+" + text);
    }
    void deleteBeforeCaret(std::size_t count) override {
        text_.erase(text_.size() - std::min(count, text_.size()));
        edits.push_back("-" + std::to_string(count));
    }
    bool passKeyOn() override {
        if (takesKeysHandedOn) edits.push_back("key");
        return takesKeysHandedOn;
    }

    // The final text alone, and what the user sees (final text and marked text).
    [[nodiscard]] std::string text() const { return typing::toUtf8(text_); }
    [[nodiscard]] std::string visible() const { return typing::toUtf8(text_ + marked); }

    std::optional<std::string> identityValue;
    bool secure = false;
    bool keepsMarked = true;
    bool takesKeysHandedOn = false;
    std::u32string marked;
    // Every change of the final text: "+text" written, "-N" characters
    // deleted, "key" the key handed on.
    std::vector<std::string> edits;

private:
    std::u32string text_;
};

}  // namespace zentrel::testing
