#pragma once
// How a check the user asked for ends in the window program: a message box
// naming the new release and where to get it, saying all is up to date, or
// giving the error.

#include "services/updates/UpdateUserDriver.hpp"

#include <QPointer>
#include <QWidget>

namespace zentrel::app {

class MessageBoxUpdateDriver final : public services::UpdateUserDriver {
public:
    void setParentWindow(QWidget* window) { window_ = window; }

    void showUpdateFound(const services::AppcastItem& item) override;
    void showUpToDate() override;
    void showUpdateError(const std::string& message) override;

private:
    void show(const QString& text, const QString& detail);

    QPointer<QWidget> window_;
};

}  // namespace zentrel::app
