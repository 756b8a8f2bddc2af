#pragma once
// Home-screen widgets whose timelines the app reloads after a clean. This
// desktop has no such widgets: `NoWidgetCenter` reloads nothing.

#include <string_view>

namespace zentrel::platform {

class WidgetCenter {
public:
    virtual ~WidgetCenter() = default;
    virtual void reloadTimelines(std::string_view kind) = 0;
};

class NoWidgetCenter final : public WidgetCenter {
public:
    void reloadTimelines(std::string_view) override {}
};

}  // namespace zentrel::platform
