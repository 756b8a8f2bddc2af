#pragma once
// The IBus engine of zentrel-ime: one per input context, each with its own
// controller. Keys arrive as IBus key events and are translated for the
// controller; focus changes and resets end the word.

#include "platform/Observable.hpp"
#include "typing/engine/VietIMESharedSnapshot.hpp"

#include <ibus.h>

#include <functional>

namespace zentrel::ime {

// What every engine of the program shares: the snapshot reader and the
// announcement of new settings. Set once before the first engine is made.
struct IBusEngineEnvironment {
    std::function<typing::VietIMESharedSnapshot()> loadSnapshot;
    platform::Signal<>* settingsChanged = nullptr;
};
void setIBusEngineEnvironment(IBusEngineEnvironment environment);

// The GObject type registered with the IBus factory.
GType zentrelIBusEngineType();

}  // namespace zentrel::ime
