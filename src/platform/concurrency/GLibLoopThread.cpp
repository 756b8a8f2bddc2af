#include "platform/concurrency/GLibLoopThread.hpp"

#include <glib.h>

namespace zentrel::platform {

void quitLoopAndJoin(GMainContext* context, GMainLoop* loop, std::thread& thread) {
    if (!thread.joinable()) return;
    g_main_context_invoke(
        context,
        [](gpointer running) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(running));
            return G_SOURCE_REMOVE;
        },
        loop);
    thread.join();
}

}  // namespace zentrel::platform
