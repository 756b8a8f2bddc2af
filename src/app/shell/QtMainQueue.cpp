#include "app/shell/QtMainQueue.hpp"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>

namespace zentrel::app {

void QtMainQueue::post(platform::Job job) {
    QMetaObject::invokeMethod(&context_, std::move(job), Qt::QueuedConnection);
}

platform::Timer QtMainQueue::scheduleOnce(platform::Duration delay, platform::Job job) {
    return schedule(delay, false, std::move(job));
}

platform::Timer QtMainQueue::scheduleRepeating(platform::Duration interval, platform::Job job) {
    return schedule(interval, true, std::move(job));
}

platform::Timer QtMainQueue::schedule(platform::Duration delay, bool repeating, platform::Job job) {
    auto state = std::make_shared<platform::Timer::State>();
    auto* timer = new QTimer(&context_);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeating);
    timer->setInterval(std::chrono::duration_cast<std::chrono::milliseconds>(delay));
    QObject::connect(timer, &QTimer::timeout, timer, [timer, state, repeating, job = std::move(job)] {
        if (state->cancelled) {
            timer->deleteLater();
            return;
        }
        if (!repeating) timer->deleteLater();
        job();
    });
    timer->start();
    return platform::Timer(state);
}

}  // namespace zentrel::app
