#include "ime/ibus/IBusClientAdapter.hpp"

#include <glib.h>

namespace zentrel::ime {

void IBusClientAdapter::setMarkedText(const std::string& text) {
    if (text.empty()) {
        if (preeditShown_) {
            ibus_engine_update_preedit_text(engine_, ibus_text_new_from_string(""), 0, FALSE);
            preeditShown_ = false;
        }
        return;
    }
    const auto length = static_cast<guint>(g_utf8_strlen(text.c_str(), -1));
    IBusText* preedit = ibus_text_new_from_string(text.c_str());
    ibus_text_append_attribute(preedit, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0, length);
    // The caret after the word.
    ibus_engine_update_preedit_text(engine_, preedit, length, TRUE);
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

}  // namespace zentrel::ime
