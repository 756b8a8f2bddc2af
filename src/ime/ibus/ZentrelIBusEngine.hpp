#pragma once
// The IBus engine of zentrel-ime: one per input context, each with its own
// controller. Keys arrive as IBus key events and are translated for the
// controller; focus changes and resets end the word without writing to the
// client, and each focus names the program that owns the field: GTK's
// clients name it themselves, Qt's are named from the focused window's
// process, which is looked up meanwhile (unnamed until the answer comes).

#include "ime/FocusedClientProgram.hpp"
#include "platform/settings/Observable.hpp"
#include "typing/engine/VietIMESharedSnapshot.hpp"

#include <ibus.h>

#include <functional>
#include <string>

namespace zentrel::ime {

// What every engine of the program shares: the snapshot reader, the
// announcement of new settings, the namer of clients that name no program
// (none: such clients stay unnamed) and the request to the main app to
// switch typing for a program. Set once before the first engine is made.
struct IBusEngineEnvironment {
    std::function<typing::VietIMESharedSnapshot()> loadSnapshot;
    platform::Signal<>* settingsChanged = nullptr;
    FocusedClientProgram* focusedClientProgram = nullptr;
    std::function<void(const std::string&)> toggleProgram;
};
void setIBusEngineEnvironment(IBusEngineEnvironment environment);

// The GObject type of the engine.
GType zentrelIBusEngineType();
// Makes `factory` create this engine for `engineName`.
void addZentrelIBusEngine(IBusFactory* factory, const char* engineName);

}  // namespace zentrel::ime
