#include "ui/tools/AppIconView.hpp"

#include "ui/presenters/UninstallPresenter.hpp"

#include <QFileInfo>
#include <QHash>

namespace zentrel::ui {
namespace {

QIcon genericAppIcon() {
    static const QIcon icon = QIcon::fromTheme("application-x-executable");
    return icon;
}

}  // namespace

QIcon appIcon(const std::optional<std::string>& nameOrPath) {
    if (!nameOrPath || nameOrPath->empty()) return genericAppIcon();
    // Icons are drawn on the main thread only.
    static QHash<QString, QIcon> cache;
    const auto key = QString::fromStdString(*nameOrPath);
    auto found = cache.find(key);
    if (found == cache.end()) {
        QIcon icon = key.startsWith('/') ? (QFileInfo(key).isFile() ? QIcon(key) : QIcon()) : QIcon::fromTheme(key);
        found = cache.insert(key, icon.isNull() ? genericAppIcon() : icon);
    }
    return *found;
}

QIcon installedAppIcon(const std::string& appPath) {
    static QHash<QString, std::optional<std::string>> sources;
    const auto key = QString::fromStdString(appPath);
    auto found = sources.find(key);
    if (found == sources.end()) found = sources.insert(key, applicationIconSource(appPath));
    return appIcon(*found);
}

AppIconView::AppIconView(const std::string& path, int size, QWidget* parent) : QLabel(parent) {
    setFixedSize(size, size);
    setAlignment(Qt::AlignCenter);
    setPixmap(installedAppIcon(path).pixmap(size, size));
    setAccessibleName({});
}

}  // namespace zentrel::ui
