#pragma once
// Ends a thread that runs a GLib main loop on a context of its own: the loop
// is told to quit from inside its context, then the thread is joined. Safe to
// call twice, and on a thread that never started.

#include <thread>

typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace zentrel::platform {

void quitLoopAndJoin(GMainContext* context, GMainLoop* loop, std::thread& thread);

}  // namespace zentrel::platform
