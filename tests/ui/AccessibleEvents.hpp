#pragma once
// What the window tells assistive technology, recorded as the accessibility
// bridge would receive it: the focus events and the name of each focused
// element. Only a platform with a live accessibility bridge sends events (a
// desktop's, not the offscreen one): `live()` says whether this run has one.

#include <QAccessible>
#include <QPointer>
#include <QString>

#include <string>
#include <vector>

namespace zentrel::testing {

struct AccessibleFocus {
    QPointer<QObject> object;
    int child = -1;        // the item of a list or table; -1: the object itself
    std::string name;      // what a screen reader says for it
    std::string role;      // the class that sent it
};

// A check box's new state, and the name it had when the bridge was told.
struct AccessibleCheck {
    QPointer<QObject> object;
    bool checked = false;
    std::string name;
};

class AccessibleEvents {
public:
    // Records from now on, until destroyed.
    AccessibleEvents();
    ~AccessibleEvents();
    AccessibleEvents(const AccessibleEvents&) = delete;
    AccessibleEvents& operator=(const AccessibleEvents&) = delete;

    // True when assistive technology is listening (waits a little for the bridge).
    [[nodiscard]] static bool live();

    [[nodiscard]] const std::vector<AccessibleFocus>& focus() const;
    [[nodiscard]] const std::vector<AccessibleCheck>& checks() const;
    void clear();
};

}  // namespace zentrel::testing
