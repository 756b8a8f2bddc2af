#pragma once
// Where work runs. `MainQueue` is the main thread: screens, view models and
// shared services live there, and work done elsewhere posts its results and
// progress back to it. `Executor` is anywhere else (the task pool, or a serial
// executor on top of it).

#include <functional>

namespace zentrel::platform {

using Job = std::function<void()>;

class Executor {
public:
    virtual ~Executor() = default;
    // Runs the job later, never inside this call.
    virtual void submit(Job job) = 0;
};

class MainQueue {
public:
    virtual ~MainQueue() = default;
    // Runs the job on the main thread after the jobs posted before it.
    virtual void post(Job job) = 0;
};

}  // namespace zentrel::platform
