#pragma once
// The main thread's queue and timers on Qt's event loop, for the window
// program: posted jobs run as queued calls on the main thread, timers are
// Qt timers that stop for good once their handle is cancelled.

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"

#include <QObject>

namespace zentrel::app {

class QtMainQueue final : public platform::MainQueue, public platform::TimerScheduler {
public:
    // `context` lives on the main thread; jobs posted after it is gone are dropped.
    explicit QtMainQueue(QObject& context) : context_(context) {}

    void post(platform::Job job) override;
    [[nodiscard]] platform::Timer scheduleOnce(platform::Duration delay, platform::Job job) override;
    [[nodiscard]] platform::Timer scheduleRepeating(platform::Duration interval, platform::Job job) override;

private:
    platform::Timer schedule(platform::Duration delay, bool repeating, platform::Job job);

    QObject& context_;
};

}  // namespace zentrel::app
