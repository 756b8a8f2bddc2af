#include "ui/design/ButtonKeys.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace zentrel::ui {
namespace {

bool isReturn(const QKeyEvent& key) {
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::NoModifier && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

// The toolkit's own buttons take Return only as a dialog's default: every
// other focused button let it pass to its window, which ignored it or
// pressed the default in place of the focused one.
class ReturnPressesFocusedButton final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button == nullptr || !button->hasFocus()) return false;
        // Check boxes and switches keep Return for their dialog; a button drawn
        // by this program (an overview tile) is a push button as well.
        const bool pushes = qobject_cast<QPushButton*>(button) != nullptr ||
                            qobject_cast<QToolButton*>(button) != nullptr || !button->isCheckable();
        if (!pushes) return false;
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!isReturn(key)) return false;
        // A held key presses once.
        if (!key.isAutoRepeat() && button->isEnabled()) button->click();
        return true;
    }
};

}  // namespace

void pressFocusedButtonsWithReturn() {
    static auto* const filter = [] {
        auto* created = new ReturnPressesFocusedButton;
        QCoreApplication::instance()->installEventFilter(created);
        return created;
    }();
    (void)filter;
}

}  // namespace zentrel::ui
