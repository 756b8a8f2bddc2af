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

void record(QAccessibleEvent* event) {
    if (event->type() != QAccessible::Focus) return;
    auto* target = event->accessibleInterface();
    if (target != nullptr && event->child() >= 0) target = target->child(event->child());
    recorded().push_back({event->object(), event->child(),
                          target != nullptr ? target->text(QAccessible::Name).toStdString() : std::string(),
                          event->object() != nullptr ? event->object()->metaObject()->className() : ""});
}

}  // namespace

AccessibleEvents::AccessibleEvents() {
    recorded().clear();
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

void AccessibleEvents::clear() { recorded().clear(); }

}  // namespace zentrel::testing
