#pragma once
// An application's icon: the desktop icon theme's icon of that name, or the
// icon file at that path, each looked up once and cached by its name or
// path. An application without one shows the theme's generic application
// icon.

#include <QIcon>
#include <QLabel>

#include <optional>
#include <string>

namespace zentrel::ui {

// The icon of a theme name or an icon file's path; the generic application
// icon when there is none.
[[nodiscard]] QIcon appIcon(const std::optional<std::string>& nameOrPath);
// The icon of an installed application, from its desktop entry's "Icon".
[[nodiscard]] QIcon installedAppIcon(const std::string& appPath);

// The icon of the installed application at `path`, `size` points square.
class AppIconView final : public QLabel {
public:
    AppIconView(const std::string& path, int size, QWidget* parent = nullptr);
};

}  // namespace zentrel::ui
