#pragma once
// Focus that outlives a rebuilt list. A control carries a key that stays the
// same from one build to the next (the id of the item its row stands for);
// before the rebuild the key of the focused control is noted, after it the
// focus goes to the new control of that key, before the old ones are hidden,
// so it never falls to the next widget of the window (the sidebar).

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace zentrel::ui {

// Marks `control` as the one that stands for `key`.
void setFocusKey(QWidget& control, const QString& key);

class KeptFocus {
public:
    // Notes the key of the focused control if it is `area` or inside it.
    explicit KeptFocus(const QWidget& area);

    // Focuses the control of the noted key among `built` and their children;
    // false when there is none (or nothing was focused).
    bool restore(const std::vector<QWidget*>& built) const;

    [[nodiscard]] const std::optional<QString>& key() const { return key_; }

private:
    std::optional<QString> key_;
};

}  // namespace zentrel::ui
