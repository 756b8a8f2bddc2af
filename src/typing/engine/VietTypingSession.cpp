#include "typing/engine/VietTypingSession.hpp"

#include "typing/engine/VietText.hpp"

#include <algorithm>

namespace zentrel::typing {

void VietTypingSession::type(char32_t key) {
    const auto result = engine_.processChar(key);
    if (result) apply(*result);
    // A key that ends the word follows the answer; any other key is written
    // by the answer when there is one.
    if (engine_.lastKeyEndedWord() || !result) text_.push_back(key);
}

void VietTypingSession::type(std::string_view keys) {
    for (char32_t key : toUtf32(keys)) type(key);
}

void VietTypingSession::backspace() {
    engine_.handleBackspace();
    if (!text_.empty()) text_.pop_back();
}

void VietTypingSession::finish() {
    if (const auto result = engine_.endWord()) apply(*result);
}

std::string VietTypingSession::text() const { return toUtf8(text_); }

void VietTypingSession::apply(const IMEResult& result) {
    const auto erase = std::min<std::size_t>(static_cast<std::size_t>(std::max(result.backspaces, 0)), text_.size());
    text_.erase(text_.size() - erase);
    text_ += toUtf32(result.insert);
}

}  // namespace zentrel::typing
