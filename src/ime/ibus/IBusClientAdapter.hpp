#pragma once
// An IBus input context as the controller's client: marked text is the
// preedit, final text is committed, and deleting before the caret removes
// surrounding text where the client offers it, else sends BackSpace keys.

#include "ime/IMEClient.hpp"

#include <ibus.h>

namespace zentrel::ime {

class IBusClientAdapter final : public IMEClient {
public:
    explicit IBusClientAdapter(IBusEngine* engine) : engine_(engine) {}

    [[nodiscard]] std::optional<std::string> identity() const override { return identity_; }
    [[nodiscard]] bool isSecureField() const override { return secure_; }
    void setMarkedText(const std::string& text) override;
    void insertText(const std::string& text) override;
    void deleteBeforeCaret(std::size_t count) override;

    // The client's name from IBus ("gtk3-im:gedit"), when it gives one.
    void setIdentity(std::optional<std::string> identity) { identity_ = std::move(identity); }
    // From the field's content purpose: passwords and PINs.
    void setSecure(bool secure) { secure_ = secure; }

private:
    IBusEngine* engine_;
    std::optional<std::string> identity_;
    bool secure_ = false;
    bool preeditShown_ = false;
};

}  // namespace zentrel::ime
