#include "ui/main/QuickLookHelper.hpp"

#include <QUrl>

#include <utility>

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

void preview(const std::string& path, platform::PreviewPanel* panel, platform::PreviewPanel::Done done) {
    if (panel == nullptr) {
        done(false);
        return;
    }
    storedDataSource() = std::make_shared<PreviewDataSource>(fileURL(path));
    panel->show(*storedDataSource(), std::move(done));
}

}  // namespace zentrel::ui::QuickLookHelper
