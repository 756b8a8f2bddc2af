#include "ui/main/QuickLookHelper.hpp"

#include <QUrl>

namespace zentrel::ui::QuickLookHelper {
namespace {

std::shared_ptr<PreviewDataSource>& storedDataSource() {
    static std::shared_ptr<PreviewDataSource> current;
    return current;
}

}  // namespace

const std::shared_ptr<PreviewDataSource>& currentDataSource() { return storedDataSource(); }

std::string fileURL(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded).toStdString();
}

bool preview(const std::string& path, platform::PreviewPanel* panel) {
    if (panel == nullptr) return false;
    storedDataSource() = std::make_shared<PreviewDataSource>(fileURL(path));
    return panel->show(*storedDataSource());
}

}  // namespace zentrel::ui::QuickLookHelper
