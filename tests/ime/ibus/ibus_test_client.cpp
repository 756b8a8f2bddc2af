// A small IBus client for the end-to-end test of zentrel-ime. It runs under
// a private session bus and IBus daemon, with HOME in a temporary folder, and
// checks four things: Telex typing commits "việt ", Return comes back after
// the word it ends (and "glass" stays "glass"), a VNI snapshot saved and
// announced makes "vie65t " commit "việt ", and with typing off every key
// passes. Exits 0 when all hold.

#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/places/HostLayout.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"

#include <ibus.h>

#include <chrono>
#include <iostream>
#include <string>

namespace {

using namespace zentrel;

struct Client {
    IBusInputContext* context = nullptr;
    std::string committed;
};

void onCommit(IBusInputContext*, IBusText* text, gpointer data) {
    static_cast<Client*>(data)->committed += ibus_text_get_text(text);
}

// A key the engine handed back is written into the same stream, Return as "⏎".
void onForward(IBusInputContext*, guint keyval, guint, guint state, gpointer data) {
    if ((state & IBUS_RELEASE_MASK) == 0) static_cast<Client*>(data)->committed += keyval == IBUS_KEY_Return ? "⏎" : "?";
}

// Lets signals arrive for a moment.
void pump(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        g_usleep(10'000);
    }
}

guint keyvalOf(char c) { return c == ' ' ? IBUS_KEY_space : static_cast<guint>(static_cast<unsigned char>(c)); }

// Presses and releases each key; returns how many presses were consumed.
int type(Client& client, std::string_view keys) {
    int consumed = 0;
    for (char c : keys) {
        if (ibus_input_context_process_key_event(client.context, keyvalOf(c), 0, 0)) ++consumed;
        (void)ibus_input_context_process_key_event(client.context, keyvalOf(c), 0, IBUS_RELEASE_MASK);
    }
    return consumed;
}

// Waits (up to a few seconds) until `expected` has been committed since `from`.
bool committedSince(Client& client, std::size_t from, const std::string& expected) {
    for (int i = 0; i < 300 && client.committed.substr(from) != expected; ++i) pump(std::chrono::milliseconds(10));
    return client.committed.substr(from) == expected;
}

bool save(const typing::VietIMESharedSnapshot& snapshot, const platform::HostLayout& layout) {
    auto notifications = platform::SessionBusNotificationCenter::fromEnvironment();
    return typing::VietIMESharedSettings::save(snapshot, layout, notifications);
}

int fail(const std::string& what, const Client& client) {
    std::cerr << "ibus_test_client: " << what << " (committed so far: \"" << client.committed << "\")\n";
    return 1;
}

}  // namespace

int main() {
    const auto layout = platform::HostLayout::fromEnvironment();
    typing::VietIMESharedSnapshot snapshot;
    snapshot.isEnabled = true;
    if (!save(snapshot, layout)) {
        std::cerr << "ibus_test_client: cannot save the snapshot\n";
        return 1;
    }

    ibus_init();
    IBusBus* bus = ibus_bus_new();
    if (!ibus_bus_is_connected(bus)) {
        std::cerr << "ibus_test_client: no IBus daemon\n";
        return 1;
    }
    Client client;
    client.context = ibus_bus_create_input_context(bus, "zentrel-end-to-end");
    if (client.context == nullptr) return fail("no input context", client);
    g_signal_connect(client.context, "commit-text", G_CALLBACK(onCommit), &client);
    g_signal_connect(client.context, "forward-key-event", G_CALLBACK(onForward), &client);
    ibus_input_context_set_capabilities(client.context, IBUS_CAP_PREEDIT_TEXT | IBUS_CAP_FOCUS);
    ibus_input_context_focus_in(client.context);
    ibus_input_context_set_engine(client.context, "com.torvane.zentrel.ime");
    pump(std::chrono::milliseconds(200));

    // The engine starts on the first key; wait until it answers.
    std::size_t from = client.committed.size();
    bool started = false;
    for (int attempt = 0; attempt < 50 && !started; ++attempt) {
        from = client.committed.size();
        (void)type(client, "a ");
        started = committedSince(client, from, "a ");
    }
    if (!started) return fail("the engine never answered", client);

    from = client.committed.size();
    if (type(client, "vieetj ") != 7) return fail("Telex keys were not all consumed", client);
    if (!committedSince(client, from, "việt ")) return fail("Telex did not commit \"việt \"", client);

    // Return ends the word: the word first, then the key itself, on one path.
    from = client.committed.size();
    (void)type(client, "glass");
    constexpr guint kReturnCode = 28;
    if (!ibus_input_context_process_key_event(client.context, IBUS_KEY_Return, kReturnCode, 0))
        return fail("Return went past the word it ends", client);
    (void)ibus_input_context_process_key_event(client.context, IBUS_KEY_Return, kReturnCode, IBUS_RELEASE_MASK);
    if (!committedSince(client, from, "glass⏎")) return fail("\"glass\" and Return did not arrive in order", client);

    // A VNI snapshot, announced on the session bus, reaches the engine.
    snapshot.inputMethod = typing::VietInputMethod::vni;
    if (!save(snapshot, layout)) return fail("cannot save the VNI snapshot", client);
    bool switched = false;
    for (int attempt = 0; attempt < 100 && !switched; ++attempt) {
        from = client.committed.size();
        (void)type(client, "a6 ");
        switched = committedSince(client, from, "â ") ;
        if (!switched) pump(std::chrono::milliseconds(20));
    }
    if (!switched) return fail("the VNI settings never arrived", client);
    from = client.committed.size();
    (void)type(client, "vie65t ");
    if (!committedSince(client, from, "việt ")) return fail("VNI did not commit \"việt \"", client);

    // Typing off: every key passes untouched.
    snapshot.isEnabled = false;
    if (!save(snapshot, layout)) return fail("cannot save the disabled snapshot", client);
    from = client.committed.size();
    if (type(client, "vieetj ") != 0) return fail("a key was consumed with typing off", client);
    pump(std::chrono::milliseconds(100));
    if (client.committed.size() != from) return fail("something was committed with typing off", client);

    std::cout << "zentrel-ime end to end: ok\n";
    g_object_unref(client.context);
    g_object_unref(bus);
    return 0;
}
