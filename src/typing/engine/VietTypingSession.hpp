#pragma once
// A text field driven by the engine as a client drives it: each key's answer
// erases and inserts before the caret, a key without an answer is typed as it
// is, and a word breaker is delivered after the answer it produced. Used by
// the command-line typing tool and by tests.

#include "typing/engine/VietIMEEngine.hpp"

#include <string>
#include <string_view>

namespace zentrel::typing {

class VietTypingSession {
public:
    explicit VietTypingSession(VietIMEEngine& engine) : engine_(engine) {}

    void type(char32_t key);
    // Every character of UTF-8 text, one key at a time.
    void type(std::string_view keys);
    // Delete before the caret, as the Delete key does while a word is composed.
    void backspace();
    // The end of input ends the word as a breaker would.
    void finish();

    [[nodiscard]] std::string text() const;

private:
    void apply(const IMEResult& result);

    VietIMEEngine& engine_;
    std::u32string text_;
};

}  // namespace zentrel::typing
