#include "ime/ibus/IBusClientAdapter.hpp"

#include <glib.h>

namespace zentrel::ime {

void IBusClientAdapter::setMarkedText(const std::string& text) {
    if (text.empty()) {
        if (preeditShown_) {
            ibus_engine_update_preedit_text_with_mode(engine_, ibus_text_new_from_string(""), 0, FALSE,
                                                      IBUS_ENGINE_PREEDIT_CLEAR);
            preeditShown_ = false;
        }
        return;
    }
    const auto length = static_cast<guint>(g_utf8_strlen(text.c_str(), -1));
    IBusText* preedit = ibus_text_new_from_string(text.c_str());
    ibus_text_append_attribute(preedit, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0, length);
    // The caret after the word. When the field loses focus or is reset,
    // IBus or the client's own module commits the preedit into the field it
    // was shown in: the engine, told later, cannot know that field any more.
    ibus_engine_update_preedit_text_with_mode(engine_, preedit, length, TRUE, IBUS_ENGINE_PREEDIT_COMMIT);
    preeditShown_ = true;
}

void IBusClientAdapter::insertText(const std::string& text) {
    setMarkedText("");
    ibus_engine_commit_text(engine_, ibus_text_new_from_string(text.c_str()));
}

void IBusClientAdapter::deleteBeforeCaret(std::size_t count) {
    if (count == 0) return;
    if ((engine_->client_capabilities & IBUS_CAP_SURROUNDING_TEXT) != 0) {
        ibus_engine_delete_surrounding_text(engine_, -static_cast<gint>(count), static_cast<guint>(count));
        return;
    }
    // The evdev scan code of BackSpace, as IBus passes key codes.
    constexpr guint kBackSpaceCode = 14;
    for (std::size_t i = 0; i < count; ++i) {
        ibus_engine_forward_key_event(engine_, IBUS_KEY_BackSpace, kBackSpaceCode, 0);
        ibus_engine_forward_key_event(engine_, IBUS_KEY_BackSpace, kBackSpaceCode, IBUS_RELEASE_MASK);
    }
}

bool IBusClientAdapter::passKeyOn() {
    if (!takesForwardedKeys_) return false;
    ibus_engine_forward_key_event(engine_, key_.keyval, key_.keycode, key_.state);
    return true;
}

}  // namespace zentrel::ime
