#include "ime/ibus/GLibMainQueue.hpp"

#include <glib.h>

#include <utility>

namespace zentrel::ime {

void GLibMainQueue::post(platform::Job job) {
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            (*static_cast<platform::Job*>(data))();
            return G_SOURCE_REMOVE;
        },
        new platform::Job(std::move(job)), [](gpointer data) { delete static_cast<platform::Job*>(data); });
}

}  // namespace zentrel::ime
