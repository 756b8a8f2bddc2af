#include "ime/ibus/ZentrelIBusEngine.hpp"

#include "ime/IBusClientName.hpp"
#include "ime/ZentrelIMKController.hpp"
#include "ime/ibus/IBusClientAdapter.hpp"

#include <memory>

namespace zentrel::ime {
namespace {

IBusEngineEnvironment& environment() {
    static IBusEngineEnvironment shared;
    return shared;
}

struct EngineState {
    explicit EngineState(IBusEngine* engine)
        : client(engine),
          controller(environment().loadSnapshot, *environment().settingsChanged, environment().toggleProgram) {}
    IBusClientAdapter client;
    ZentrelIMKController controller;
    // Counts the focus changes: a name looked up for an earlier focus is dropped.
    std::shared_ptr<unsigned> focusCount = std::make_shared<unsigned>(0);
};

struct ZentrelEngine {
    IBusEngine parent;
    EngineState* state;
};

struct ZentrelEngineClass {
    IBusEngineClass parent;
};

IMEKeyEvent::Key keyOf(guint keyval) {
    using Key = IMEKeyEvent::Key;
    switch (keyval) {
    case IBUS_KEY_Return: return Key::returnKey;
    case IBUS_KEY_KP_Enter: return Key::keypadEnter;
    case IBUS_KEY_BackSpace: return Key::deleteKey;
    case IBUS_KEY_Tab:
    case IBUS_KEY_ISO_Left_Tab: return Key::tab;
    case IBUS_KEY_Escape: return Key::escape;
    case IBUS_KEY_Left:
    case IBUS_KEY_Right:
    case IBUS_KEY_Up:
    case IBUS_KEY_Down:
    case IBUS_KEY_Home:
    case IBUS_KEY_End:
    case IBUS_KEY_Page_Up:
    case IBUS_KEY_Page_Down:
    case IBUS_KEY_Delete: return Key::navigation;
    default: break;
    }
    if (keyval >= IBUS_KEY_F1 && keyval <= IBUS_KEY_F24) return Key::function;
    return ibus_keyval_to_unicode(keyval) >= 0x20 ? Key::character : Key::other;
}

IMEKeyEvent eventOf(guint keyval, guint state) {
    IMEKeyEvent event;
    event.type = (state & IBUS_RELEASE_MASK) != 0 ? IMEKeyEvent::Type::keyUp : IMEKeyEvent::Type::keyDown;
    event.key = keyOf(keyval);
    event.command = (state & (IBUS_SUPER_MASK | IBUS_MOD4_MASK)) != 0;
    event.control = (state & IBUS_CONTROL_MASK) != 0;
    event.shift = (state & IBUS_SHIFT_MASK) != 0;
    event.option = (state & IBUS_MOD1_MASK) != 0;
    if (event.key == IMEKeyEvent::Key::character) {
        char utf8[8] = {};
        g_unichar_to_utf8(ibus_keyval_to_unicode(keyval), utf8);
        event.characters = utf8;
    }
    return event;
}

EngineState& stateOf(IBusEngine* engine) { return *reinterpret_cast<ZentrelEngine*>(engine)->state; }

gboolean processKeyEvent(IBusEngine* engine, guint keyval, guint keycode, guint state) {
    auto& engineState = stateOf(engine);
    engineState.client.setCurrentKey(keyval, keycode, state);
    return engineState.controller.handleEvent(eventOf(keyval, state), &engineState.client) ? TRUE : FALSE;
}

// Focus left the field, or the client reset it. Nothing is written: IBus
// already routes to whichever field has the focus now.
void forgetWord(IBusEngine* engine) {
    auto& engineState = stateOf(engine);
    engineState.controller.forgetWord();
    engineState.client.forgetPreedit();
}

void focusOutId(IBusEngine* engine, const gchar*) {
    ++*stateOf(engine).focusCount;
    forgetWord(engine);
}

void focusInId(IBusEngine* engine, const gchar*, const gchar* client) {
    const std::string_view name = client != nullptr ? client : "";
    auto& state = stateOf(engine);
    const unsigned focus = ++*state.focusCount;
    state.client.setIdentity(programNameOfIBusClient(name));
    state.client.setKeepsPreedit(keepsPreeditOnFocusChange(name));
    state.client.setTakesForwardedKeys(takesForwardedKeysInOrder(name));
    auto* namer = environment().focusedClientProgram;
    if (!isQtClient(name) || namer == nullptr) return;
    namer->ask([count = std::weak_ptr(state.focusCount), focus, adapter = &state.client](auto program) {
        // The engine still exists and still has this focus.
        const auto current = count.lock();
        if (current && *current == focus) adapter->setIdentity(std::move(program));
    });
}

void setContentType(IBusEngine* engine, guint purpose, guint) {
    stateOf(engine).client.setSecure(purpose == IBUS_INPUT_PURPOSE_PASSWORD || purpose == IBUS_INPUT_PURPOSE_PIN);
}

void enable(IBusEngine* engine) {
    // Tells the client that this engine reads and deletes surrounding text.
    ibus_engine_get_surrounding_text(engine, nullptr, nullptr, nullptr);
}

GType registeredType = 0;

void instanceInit(GTypeInstance* instance, gpointer) {
    auto* engine = reinterpret_cast<ZentrelEngine*>(instance);
    engine->state = new EngineState(&engine->parent);
}

GObjectClass* parentClass = nullptr;

void finalize(GObject* object) {
    auto* engine = reinterpret_cast<ZentrelEngine*>(object);
    delete engine->state;
    engine->state = nullptr;
    parentClass->finalize(object);
}

void classInit(gpointer klass, gpointer) {
    parentClass = G_OBJECT_CLASS(g_type_class_peek_parent(klass));
    G_OBJECT_CLASS(klass)->finalize = finalize;
    auto* engineClass = IBUS_ENGINE_CLASS(klass);
    engineClass->process_key_event = processKeyEvent;
    engineClass->focus_out = forgetWord;
    engineClass->reset = forgetWord;
    engineClass->disable = forgetWord;
    engineClass->enable = enable;
    engineClass->focus_in_id = focusInId;
    engineClass->focus_out_id = focusOutId;
    engineClass->set_content_type = setContentType;
}

// Engines are made with the focus-id property, so that each focus names its
// client and the program behind it can be recognised.
IBusEngine* createEngine(IBusFactory* factory, const gchar* name, gpointer engineName) {
    if (g_strcmp0(name, static_cast<const gchar*>(engineName)) != 0) return nullptr;
    static guint made = 0;
    gchar* path = g_strdup_printf("/com/torvane/zentrel/ime/Engine/%u", ++made);
    auto* engine = IBUS_ENGINE(g_object_new(zentrelIBusEngineType(), "engine-name", name, "object-path", path,
                                            "connection", ibus_service_get_connection(IBUS_SERVICE(factory)),
                                            "has-focus-id", TRUE, nullptr));
    g_free(path);
    return engine;
}

}  // namespace

void addZentrelIBusEngine(IBusFactory* factory, const char* engineName) {
    g_signal_connect_data(factory, "create-engine", G_CALLBACK(createEngine), g_strdup(engineName),
                          [](gpointer name, GClosure*) { g_free(name); }, GConnectFlags{});
}

void setIBusEngineEnvironment(IBusEngineEnvironment shared) { environment() = std::move(shared); }

GType zentrelIBusEngineType() {
    if (registeredType == 0) {
        GTypeInfo info{};
        info.class_size = sizeof(ZentrelEngineClass);
        info.class_init = classInit;
        info.instance_size = sizeof(ZentrelEngine);
        info.instance_init = instanceInit;
        registeredType = g_type_register_static(IBUS_TYPE_ENGINE, "ZentrelIBusEngine", &info, GTypeFlags{});
    }
    return registeredType;
}

}  // namespace zentrel::ime
