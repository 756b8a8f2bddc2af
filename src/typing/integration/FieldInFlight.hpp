#pragma once
// The end of the focused field as the window has it while keys we posted
// are on their way to it. A tap that only observes reports each of our keys'
// arrivals in its place among the user's keys (postedKeyArrived), so a user
// key reported while edits of ours are still on their way reached the window
// before them: the window applies those edits after that key. `userKey` then
// says what the window shows against what the bridge meant it to show. Only
// the last characters are kept, and only as far as they are known; until the
// first arrival is reported nothing counts as on its way (a tap that holds
// keys back reports none).

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace zentrel::typing {

class FieldInFlight final {
public:
    // What one posted key does to the field: types a character, erases the
    // last one, or something this cannot follow (a selection, a paste).
    struct Edit {
        enum class Kind { type, erase, unknown };
        Kind kind = Kind::type;
        char32_t character = 0;
    };
    // The end of the field as the bridge meant it and as the window shows it.
    struct Outcome {
        std::u32string meant;
        std::u32string shown;
    };

    void posted(Edit edit);
    // The oldest edit on its way reached the window.
    void arrived();
    // A key of the user's reached the window: a character, or none for
    // Delete. An outcome when it landed before edits of ours and the window
    // shows something else for it.
    [[nodiscard]] std::optional<Outcome> userKey(std::optional<char32_t> typed);
    // The field's end is not known any more (another key, a click, a write).
    void forget();

private:
    std::u32string landed_;  // the field's end with what reached the window, as far as known
    std::deque<Edit> onTheirWay_;
    bool arrivalsReported_ = false;
    std::size_t userKeysSinceArrival_ = 0;
};

}  // namespace zentrel::typing
