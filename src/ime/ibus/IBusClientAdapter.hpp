#pragma once
// An IBus input context as the controller's client: marked text is a
// preedit that IBus commits by itself when the field loses focus, final text
// is committed, and deleting before the caret removes surrounding text where
// the client offers it, else sends BackSpace keys.

#include "ime/IMEClient.hpp"

#include <ibus.h>

namespace zentrel::ime {

class IBusClientAdapter final : public IMEClient {
public:
    explicit IBusClientAdapter(IBusEngine* engine) : engine_(engine) {}

    [[nodiscard]] std::optional<std::string> identity() const override { return identity_; }
    [[nodiscard]] bool isSecureField() const override { return secure_; }
    [[nodiscard]] bool keepsMarkedText() const override { return keepsPreedit_; }
    void setMarkedText(const std::string& text) override;
    void insertText(const std::string& text) override;
    void deleteBeforeCaret(std::size_t count) override;
    // Forwards the key being handled where the client takes forwarded keys
    // (see takesForwardedKeysInOrder): IBus sends it after the text committed before it.
    bool passKeyOn() override;

    // The key the engine is handling now.
    void setCurrentKey(guint keyval, guint keycode, guint state) { key_ = {keyval, keycode, state}; }

    // The program that owns the focused field, when IBus names it.
    void setIdentity(std::optional<std::string> identity) { identity_ = std::move(identity); }
    // Whether the client keeps a preedit through focus changes (see keepsPreeditOnFocusChange).
    void setKeepsPreedit(bool keeps) { keepsPreedit_ = keeps; }
    // The field lost focus or was reset: IBus or the client has committed or removed the preedit.
    void forgetPreedit() { preeditShown_ = false; }
    void setTakesForwardedKeys(bool takes) { takesForwardedKeys_ = takes; }
    // From the field's content purpose: passwords and PINs.
    void setSecure(bool secure) { secure_ = secure; }

private:
    struct Key {
        guint keyval = 0;
        guint keycode = 0;
        guint state = 0;
    };

    IBusEngine* engine_;
    Key key_;
    std::optional<std::string> identity_;
    bool secure_ = false;
    bool preeditShown_ = false;
    bool keepsPreedit_ = true;
    // Until a focus names the client: IBus names no focus of XIM's clients.
    bool takesForwardedKeys_ = true;
};

}  // namespace zentrel::ime
