#pragma once
// The tray popover's sections, each drawn from its presenter's content: the
// disk header, the memory section with its heavy applications, the battery
// digest, the largest categories and the last-activity line.

#include "ui/presenters/BatteryDigestPresenter.hpp"
#include "ui/presenters/MemorySectionPresenter.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"

#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <vector>

namespace zentrel::ui {

[[nodiscard]] QWidget* diskUsageSection(const DiskUsageHeaderContent& content, QWidget* parent);
[[nodiscard]] QWidget* batteryDigestSection(const BatteryDigestContent& content, QWidget* parent);
[[nodiscard]] QWidget* categoriesSection(const std::vector<CategoryRowContent>& rows,
                                         const std::function<void(model::CategoryType)>& open, QWidget* parent);
[[nodiscard]] QWidget* lastActivityLine(const LastActivity& activity, QWidget* parent);

// Redrawn after each quit in a heavy-application row; `resized` then lets
// the popover fit the new height.
class MemoryUsageSection final : public QWidget {
public:
    MemoryUsageSection(MemorySectionPresenter& presenter, std::function<void()> resized, QWidget* parent);

private:
    void rebuild();

    MemorySectionPresenter& presenter_;
    std::function<void()> resized_;
    QVBoxLayout* column_ = nullptr;
    QWidget* body_ = nullptr;
};

}  // namespace zentrel::ui
