#include "app/shell/MessageBoxUpdateDriver.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QMessageBox>

namespace zentrel::app {

void MessageBoxUpdateDriver::showUpdateFound(const services::AppcastItem& item) {
    show(ui::localizedText("Zentrel %@ is available.", {QString::fromStdString(item.displayVersionString)}),
         QString::fromStdString(item.downloadURL));
}

void MessageBoxUpdateDriver::showUpToDate() {
    show(ui::localizedText("You’re up to date!"),
         ui::localizedText("Zentrel %@ is currently the newest version available.", {ZENTREL_DISPLAY_VERSION}));
}

void MessageBoxUpdateDriver::showUpdateError(const std::string& message) {
    show(ui::localizedText("Update Error!"), QString::fromStdString(message));
}

void MessageBoxUpdateDriver::show(const QString& text, const QString& detail) {
    auto* box = new QMessageBox(QMessageBox::Information, ui::localizedText("Software Update"), text,
                                QMessageBox::Ok, window_);
    box->setTextFormat(Qt::PlainText);
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace zentrel::app
