#pragma once
// The input-method program's main thread as a main queue: jobs posted from
// any thread run in the default GLib main context that IBus's loop runs.

#include "platform/concurrency/Executor.hpp"

namespace zentrel::ime {

class GLibMainQueue final : public platform::MainQueue {
public:
    void post(platform::Job job) override;
};

}  // namespace zentrel::ime
