#include "ui/design/SymbolImage.hpp"

#include <QHash>
#include <QPainter>

namespace zentrel::ui {

QString themeIconName(const QString& symbolName) {
    static const QHash<QString, QString> names = {
        {"app.badge.fill", "application-x-executable"},
        {"arrow.clockwise", "view-refresh"},
        {"checkmark", "object-select"},
        {"checkmark.circle.fill", "emblem-ok"},
        {"checkmark.seal.fill", "emblem-ok"},
        {"checkmark.shield.fill", "security-high"},
        {"doc.fill", "text-x-generic"},
        {"doc.on.doc.fill", "edit-copy"},
        {"exclamationmark.triangle.fill", "dialog-warning"},
        {"eye.slash.fill", "security-medium"},
        {"hammer.fill", "applications-development"},
        {"icloud.fill", "folder-remote"},
        {"iphone", "phone"},
        {"magnifyingglass", "edit-find"},
        {"memorychip.fill", "media-flash"},
        {"power", "system-shutdown"},
        {"shippingbox.fill", "package-x-generic"},
        {"sparkles", "starred"},
        {"square.and.arrow.up", "document-send"},
        {"terminal", "utilities-terminal"},
        {"terminal.fill", "utilities-terminal"},
        {"trash", "user-trash"},
        {"trash.fill", "user-trash-full"},
        {"internaldrive", "drive-harddisk"},
        {"list.bullet.clipboard.fill", "view-list-details"},
        {"globe", "applications-internet"},
        {"text.alignleft", "format-justify-left"},
        {"clock.arrow.circlepath", "document-open-recent"},
        {"doc.on.clipboard", "edit-paste"},
        {"arrow.uturn.backward", "edit-undo"},
        {"safari.fill", "web-browser"},
        {"doc.on.doc", "edit-copy"},
        {"gauge.with.dots.needle.67percent", "utilities-system-monitor"},
        {"bolt.fill", "system-run"},
        {"trash.square.fill", "edit-delete"},
        {"character.textbox", "input-keyboard"},
        {"gear", "preferences-system"},
        {"clock.fill", "appointment-soon"},
        {"checkmark.shield", "security-high"},
        {"exclamationmark.triangle", "dialog-warning"},
    };
    return names.value(symbolName);
}

QIcon symbolIcon(const QString& symbolName) {
    const auto name = themeIconName(symbolName);
    return name.isEmpty() ? QIcon() : QIcon::fromTheme(name);
}

QPixmap tintedSymbol(const QString& symbolName, int size, const QColor& color) {
    const auto icon = symbolIcon(symbolName);
    if (icon.isNull()) return {};
    QPixmap pixmap = icon.pixmap(size, size);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

}  // namespace zentrel::ui
