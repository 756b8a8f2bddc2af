#include "ui/AccessibilityAudit.hpp"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QButtonGroup>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include <map>
#include <set>

namespace zentrel::testing {
namespace {

std::string describe(const QAccessibleInterface& element) {
    std::string text = element.object() != nullptr ? element.object()->metaObject()->className() : "element";
    const auto name = element.text(QAccessible::Name);
    if (!name.isEmpty()) text += " \"" + name.toStdString() + "\"";
    if (element.object() != nullptr && !element.object()->objectName().isEmpty())
        text += " #" + element.object()->objectName().toStdString();
    return text;
}

// A scroll area whose viewport shows a list or a text is the content itself.
bool isFillerScrollArea(const QWidget& widget) {
    return qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr &&
           qobject_cast<const QAbstractItemView*>(&widget) == nullptr &&
           qobject_cast<const QTextEdit*>(&widget) == nullptr && qobject_cast<const QPlainTextEdit*>(&widget) == nullptr;
}

bool isViewportOfFiller(const QWidget& widget) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget.parentWidget());
    return area != nullptr && area->viewport() == &widget && isFillerScrollArea(*area);
}

bool hasMarkup(const QString& text) {
    static const QRegularExpression tag(R"(<\s*/?\s*[A-Za-z][A-Za-z0-9]*(\s[^>]*)?/?\s*>|&[a-z]+;)");
    return tag.match(text).hasMatch();
}

// Roles that say nothing of what an element is or does: a plain widget is
// a filler on the desktop's accessibility bus.
bool saysNothing(QAccessible::Role role) { return role == QAccessible::NoRole || role == QAccessible::Client; }

class Walk {
public:
    explicit Walk(std::vector<std::string>& faults) : faults_(faults) {}

    void visit(QAccessibleInterface& element, int depth, const QAccessibleInterface* button = nullptr) {
        if (depth > 64 || !element.isValid()) return;
        const auto state = element.state();
        if (state.invisible) return;
        auto* widget = qobject_cast<QWidget*>(element.object());
        if (widget != nullptr && !seen_.insert(widget).second) return;
        const auto name = element.text(QAccessible::Name);
        if (hasMarkup(name)) faults_.push_back(describe(element) + " is named with markup");
        if (hasMarkup(element.text(QAccessible::Description)))
            faults_.push_back(describe(element) + " is described with markup: \"" +
                              element.text(QAccessible::Description).toStdString() + "\"");
        if (state.focusable && widget != nullptr && (isFillerScrollArea(*widget) || isViewportOfFiller(*widget)))
            faults_.push_back(describe(element) + " is a scroll area in the Tab order");
        else if (state.focusable && !state.disabled) {
            if (name.trimmed().isEmpty()) faults_.push_back(describe(element) + " is focusable without a name");
            if (saysNothing(element.role())) faults_.push_back(describe(element) + " is focusable without a role");
        }
        if (element.role() == QAccessible::ComboBox && !name.isEmpty() && name == element.text(QAccessible::Value))
            faults_.push_back(describe(element) + " is a combo box named by its value");
        if (button != nullptr && saysNothing(element.role()) && !name.trimmed().isEmpty())
            faults_.push_back(describe(element) + " is a filler with a name inside " + describe(*button));
        if (element.role() == QAccessible::Button && !name.isEmpty()) ++buttonNames_[name.toStdString()];
        const bool pressable = element.role() == QAccessible::Button || element.role() == QAccessible::CheckBox ||
                               element.role() == QAccessible::RadioButton;
        for (int i = 0; i < element.childCount(); ++i)
            if (auto* child = element.child(i)) visit(*child, depth + 1, pressable ? &element : button);
    }

    void finish() {
        for (const auto& [name, count] : buttonNames_)
            if (count > 1) faults_.push_back(std::to_string(count) + " buttons are named \"" + name + "\"");
    }

private:
    std::vector<std::string>& faults_;
    std::set<const QWidget*> seen_;
    std::map<std::string, int> buttonNames_;
};

void checkChoice(const ButtonChoice& buttons, std::vector<std::string>& faults) {
    int checkable = 0;
    for (const auto* button : buttons) checkable += button->isCheckable() ? 1 : 0;
    if (checkable < 2) return;
    for (auto* button : buttons) {
        auto* element = QAccessible::queryAccessibleInterface(button);
        if (element != nullptr && element->role() != QAccessible::RadioButton)
            faults.push_back(describe(*element) + " is one of a choice without the radio button role");
    }
}

void collectNames(QAccessibleInterface& element, int depth, std::vector<std::string>& names) {
    if (depth > 64 || !element.isValid()) return;
    if (const auto name = element.text(QAccessible::Name); !name.isEmpty()) names.push_back(name.toStdString());
    for (int i = 0; i < element.childCount(); ++i)
        if (auto* child = element.child(i)) collectNames(*child, depth + 1, names);
}

}  // namespace

std::vector<std::string> accessibleNames(QWidget& screen) {
    std::vector<std::string> names;
    if (auto* root = QAccessible::queryAccessibleInterface(&screen)) collectNames(*root, 0, names);
    return names;
}

std::vector<std::string> accessibilityFaults(QWidget& screen, const std::vector<ButtonChoice>& choices) {
    std::vector<std::string> faults;
    auto* root = QAccessible::queryAccessibleInterface(&screen);
    if (root == nullptr) return {"the screen has no accessible interface"};
    Walk walk(faults);
    walk.visit(*root, 0);
    walk.finish();
    for (const auto* group : screen.findChildren<QButtonGroup*>())
        if (group->exclusive()) {
            const auto buttons = group->buttons();
            checkChoice(ButtonChoice(buttons.begin(), buttons.end()), faults);
        }
    for (const auto& choice : choices) checkChoice(choice, faults);
    return faults;
}

}  // namespace zentrel::testing
