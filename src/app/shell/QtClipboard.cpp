#include "app/shell/QtClipboard.hpp"

#include <QClipboard>
#include <QGuiApplication>

namespace zentrel::app {

std::optional<std::string> QtClipboard::text() const {
    const auto text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return std::nullopt;
    return text.toStdString();
}

void QtClipboard::clear() { QGuiApplication::clipboard()->clear(); }

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace zentrel::app
