#include "ui/AccessibleEvents.hpp"

#include <QAccessibleInterface>
#include <QApplication>
#include <QDeadlineTimer>

namespace zentrel::testing {
namespace {

std::vector<AccessibleFocus>& recorded() {
    static std::vector<AccessibleFocus> events;
    return events;
}

std::vector<AccessibleCheck>& checked() {
    static std::vector<AccessibleCheck> events;
    return events;
}

void record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::StateChanged &&
        static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked) {
        auto* target = event->accessibleInterface();
        if (target != nullptr)
            checked().push_back({event->object(), bool(target->state().checked),
                                 target->text(QAccessible::Name).toStdString()});
        return;
    }
    if (event->type() != QAccessible::Focus) return;
    auto* target = event->accessibleInterface();
    if (target != nullptr && event->child() >= 0) target = target->child(event->child());
    recorded().push_back({event->object(), event->child(),
                          target != nullptr ? target->text(QAccessible::Name).toStdString() : std::string(),
                          event->object() != nullptr ? event->object()->metaObject()->className() : ""});
}

}  // namespace

AccessibleEvents::AccessibleEvents() {
    clear();
    QAccessible::installUpdateHandler(record);
}

AccessibleEvents::~AccessibleEvents() { QAccessible::installUpdateHandler(nullptr); }

bool AccessibleEvents::live() {
    // The desktop's bridge turns on once it reaches the accessibility bus.
    const QDeadlineTimer deadline(5000);
    while (!QAccessible::isActive() && !deadline.hasExpired() && !qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return QAccessible::isActive();
}

const std::vector<AccessibleFocus>& AccessibleEvents::focus() const { return recorded(); }

const std::vector<AccessibleCheck>& AccessibleEvents::checks() const { return checked(); }

void AccessibleEvents::clear() {
    recorded().clear();
    checked().clear();
}

}  // namespace zentrel::testing
