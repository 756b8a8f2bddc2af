#include "ui/LayoutAudit.hpp"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScreen>
#include <QScrollBar>

namespace zentrel::testing {
namespace {

std::string nameOf(const QWidget& widget) {
    std::string name = widget.metaObject()->className();
    if (!widget.accessibleName().isEmpty()) name += " \"" + widget.accessibleName().toStdString() + "\"";
    if (!widget.objectName().isEmpty()) name += " #" + widget.objectName().toStdString();
    return name;
}

std::string rectText(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// The nearest scroll area whose viewport holds the widget.
const QAbstractScrollArea* scrollAreaOf(const QWidget& widget) {
    for (const auto* parent = widget.parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
        if (area != nullptr && area->viewport() == parent) return area;
    }
    return nullptr;
}

QScreen* screenAt(qreal ratio) {
    for (auto* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == ratio) return screen;
    return nullptr;
}

std::string scaleText(qreal ratio) { return std::to_string(static_cast<int>(ratio)) + "x"; }

}  // namespace

std::vector<std::string> layoutFaults(QWidget& page) {
    std::vector<std::string> faults;
    const QRect bounds = page.rect();
    for (auto* widget : page.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&page) || widget->isWindow() || widget->size().isEmpty()) continue;
        if (auto* bar = qobject_cast<QScrollBar*>(widget); bar != nullptr && bar->orientation() == Qt::Horizontal) {
            if (bar->maximum() > 0) faults.push_back("a horizontal scroll bar shows: " + nameOf(*bar->parentWidget()));
            continue;
        }
        const QRect shown(widget->mapTo(&page, QPoint(0, 0)), widget->size());
        if (const auto* area = scrollAreaOf(*widget)) {
            const auto* viewport = area->viewport();
            const QRect port(viewport->mapTo(&page, QPoint(0, 0)), viewport->size());
            if (shown.left() < port.left() - 1 || shown.right() > port.right() + 1)
                faults.push_back(nameOf(*widget) + " at " + rectText(shown) + " is wider than its scroll area " +
                                 rectText(port));
            continue;
        }
        if (!bounds.adjusted(-1, -1, 1, 1).contains(shown))
            faults.push_back(nameOf(*widget) + " at " + rectText(shown) + " lies outside the page " + rectText(bounds));
    }
    return faults;
}

std::vector<std::string> layoutFaultsAt(QWidget& page, QSize size) {
    std::vector<std::string> faults;
    for (const qreal ratio : {2.0, 1.0}) {
        auto* screen = screenAt(ratio);
        if (screen == nullptr) {
            faults.push_back("no test screen at " + scaleText(ratio));
            continue;
        }
        page.setScreen(screen);
        page.move(screen->geometry().topLeft());
        page.resize(size);
        page.show();
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        if (page.devicePixelRatioF() != ratio) faults.push_back("the page did not move to the screen at " + scaleText(ratio));
        for (auto& fault : layoutFaults(page)) faults.push_back(ratio == 1.0 ? fault : scaleText(ratio) + ": " + fault);
    }
    return faults;
}

}  // namespace zentrel::testing
