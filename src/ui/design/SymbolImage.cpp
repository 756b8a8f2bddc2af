#include "ui/design/SymbolImage.hpp"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {
namespace {

// The app's symbol names and the desktop's monochrome icons that stand for them.
const QHash<QString, QString>& symbolicNames() {
    static const QHash<QString, QString> names = {
        {"app.badge.fill", "application-x-executable"},
        {"app.fill", "application-x-executable"},
        {"applescript.fill", "utilities-terminal"},
        {"arrow.clockwise", "view-refresh"},
        {"arrow.down.circle.fill", "folder-download"},
        {"arrow.right.circle.fill", "go-next"},
        {"arrow.up.forward.app.fill", "window-new"},
        {"arrow.up.right.square", "send-to"},
        {"arrow.uturn.backward", "edit-undo"},
        {"battery.100", "battery-full"},
        {"bell.badge.fill", "preferences-system-notifications"},
        {"bolt.badge.clock.fill", "power-profile-performance"},
        {"bolt.batteryblock", "battery-good-charging"},
        {"bolt.fill", "power-profile-performance"},
        {"character.textbox", "input-keyboard"},
        {"chart.pie.fill", "drive-harddisk"},
        {"checkmark", "object-select"},
        {"checkmark.circle.fill", "emblem-ok"},
        {"checkmark.seal.fill", "emblem-ok"},
        {"checkmark.shield", "security-high"},
        {"checkmark.shield.fill", "security-high"},
        {"checkmark.square.fill", "checkbox-checked"},
        {"chevron.right", "go-next"},
        {"circle.dashed", "content-loading"},
        {"circle.grid.cross.fill", "view-app-grid"},
        {"clock.arrow.circlepath", "document-open-recent"},
        {"clock.fill", "alarm"},
        {"doc.fill", "text-x-generic"},
        {"doc.on.clipboard", "edit-paste"},
        {"doc.on.doc", "edit-copy"},
        {"doc.on.doc.fill", "edit-copy"},
        {"doc.text.fill", "x-office-document"},
        {"ellipsis.circle", "view-more"},
        {"exclamationmark.circle.fill", "dialog-error"},
        {"exclamationmark.triangle", "dialog-warning"},
        {"exclamationmark.triangle.fill", "dialog-warning"},
        {"externaldrive.fill.badge.checkmark", "drive-removable-media"},
        {"eye.slash", "view-conceal"},
        {"eye.slash.fill", "view-conceal"},
        {"flame.fill", "power-profile-performance"},
        {"folder.fill", "folder"},
        {"gauge.with.dots.needle.67percent", "power-profile-balanced"},
        {"gear", "emblem-system"},
        {"gearshape.fill", "emblem-system"},
        {"globe", "web-browser"},
        {"hammer.fill", "applications-engineering"},
        {"icloud.fill", "folder-remote"},
        {"info.circle", "dialog-information"},
        {"internaldrive", "drive-harddisk"},
        {"internaldrive.fill", "drive-harddisk"},
        {"iphone", "phone"},
        {"keyboard", "input-keyboard"},
        {"keyboard.fill", "input-keyboard"},
        {"leaf.fill", "power-profile-power-saver"},
        {"list.bullet.clipboard.fill", "view-list-bullet"},
        {"list.bullet.rectangle", "view-list-bullet"},
        {"lock.fill", "changes-prevent"},
        {"lock.open.fill", "changes-allow"},
        {"lock.shield.fill", "security-high"},
        {"macwindow", "window-new"},
        {"magnifyingglass", "system-search"},
        {"memorychip", "media-flash"},
        {"memorychip.fill", "media-flash"},
        {"menubar.rectangle", "view-reveal"},
        {"power", "system-shutdown"},
        {"safari.fill", "web-browser"},
        {"shippingbox.fill", "package-x-generic"},
        {"slider.horizontal.3", "preferences-other"},
        {"sparkles", "starred"},
        {"square.and.arrow.up", "document-send"},
        {"square.grid.2x2.fill", "view-grid"},
        {"square.stack.3d.up.fill", "view-paged"},
        {"terminal", "utilities-terminal"},
        {"terminal.fill", "utilities-terminal"},
        {"text.alignleft", "format-justify-left"},
        {"trash", "user-trash"},
        {"trash.fill", "user-trash"},
        {"trash.square.fill", "edit-delete"},
        {"wand.and.stars", "starred"},
        {"wifi.slash", "network-wireless-offline"},
        {"xmark", "window-close"},
        {"xmark.circle.fill", "window-close"},
    };
    return names;
}

// The desktop's theme first; where it lacks a symbolic icon, the Adwaita one.
void useSymbolicFallbackTheme() {
    static const bool once = [] {
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == "hicolor")
            QIcon::setFallbackThemeName("Adwaita");
        if (QIcon::themeName().isEmpty()) QIcon::setThemeName("Adwaita");
        return true;
    }();
    (void)once;
}

}  // namespace

QString themeIconName(const QString& symbolName) {
    const auto name = symbolicNames().value(symbolName);
    return name.isEmpty() ? name : name + "-symbolic";
}

QIcon symbolIcon(const QString& symbolName) {
    const auto name = themeIconName(symbolName);
    if (name.isEmpty()) return {};
    useSymbolicFallbackTheme();
    return QIcon::fromTheme(name);
}

QPixmap tintedSymbol(const QString& symbolName, int size, const QColor& color, qreal devicePixelRatio) {
    const int pixels = qRound(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto icon = symbolIcon(symbolName);
    if (!icon.isNull()) {
        // A symbolic icon is one shape: paint it, then fill the shape with the colour.
        icon.paint(&painter, pixmap.rect());
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
    } else {
        // The same room, so that nothing beside it moves.
        auto faint = color;
        faint.setAlphaF(color.alphaF() * 0.35f);
        painter.setPen(QPen(faint, std::max(1.0, pixels / 12.0)));
        const qreal inset = pixels * 0.22;
        painter.drawEllipse(QRectF(pixmap.rect()).adjusted(inset, inset, -inset, -inset));
    }
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace zentrel::ui
