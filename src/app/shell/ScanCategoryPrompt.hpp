#pragma once
// Asks which category "Scan Category" should scan, in one dialog at a time:
// a request that comes while the dialog is open raises it and is otherwise
// dropped, so a flood of requests never stacks dialogs.

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QInputDialog;

namespace zentrel::app {

class ScanCategoryPrompt final {
public:
    // Shows the dialog, over `parent`, of `titles` and calls `chosen` with the index the
    // user picks; nothing when the user cancels or a dialog is already open.
    void ask(QWidget* parent, const QString& title, const QString& label, const QStringList& titles,
             std::function<void(qsizetype)> chosen);
    [[nodiscard]] bool isOpen() const { return !dialog_.isNull(); }

private:
    QPointer<QInputDialog> dialog_;
};

}  // namespace zentrel::app
