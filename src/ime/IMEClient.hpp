#pragma once
// The text field an input-method controller writes into, as the controller
// sees it: provisional (marked) text at the caret, final text, deleting
// before the caret, and who the field belongs to. The IBus engine of
// zentrel-ime adapts an input context to it; tests use an in-memory field.

#include <cstddef>
#include <optional>
#include <string>

namespace zentrel::ime {

class IMEClient {
public:
    virtual ~IMEClient() = default;

    // The program that owns the field; none when it is unknown.
    [[nodiscard]] virtual std::optional<std::string> identity() const = 0;
    // A password or PIN field: every key goes to it untouched.
    [[nodiscard]] virtual bool isSecureField() const = 0;
    // False where marked text would be lost or doubled when the focus moves
    // away from the field: such a client gets direct insertion.
    [[nodiscard]] virtual bool keepsMarkedText() const = 0;
    // Shows provisional text at the caret in place of the previous one; empty text removes it.
    virtual void setMarkedText(const std::string& text) = 0;
    // Writes final text at the caret, in place of any marked text.
    virtual void insertText(const std::string& text) = 0;
    // Removes characters before the caret.
    virtual void deleteBeforeCaret(std::size_t count) = 0;
    // Hands the key being handled on to the field after everything written
    // before it, as if no input method had taken it; true when it did. False
    // where the key must go back to the client unhandled instead, so that the
    // client handles it itself (some drop keys an input method sends on).
    [[nodiscard]] virtual bool passKeyOn() = 0;
};

// One key as the controller receives it.
struct IMEKeyEvent {
    enum class Type { keyDown, keyUp };
    enum class Key {
        character,    // a key that types `characters`
        returnKey,
        keypadEnter,
        deleteKey,    // delete before the caret
        tab,
        escape,
        navigation,   // arrows, Home, End, Page Up and Down
        function,     // F1 to F24
        other,        // anything else that types nothing
    };

    Type type = Type::keyDown;
    Key key = Key::character;
    bool command = false;
    bool control = false;
    bool shift = false;
    bool option = false;
    std::string characters;  // UTF-8
};

}  // namespace zentrel::ime
