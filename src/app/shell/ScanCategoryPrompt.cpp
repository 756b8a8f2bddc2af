#include "app/shell/ScanCategoryPrompt.hpp"

#include <QInputDialog>

namespace zentrel::app {

void ScanCategoryPrompt::ask(QWidget* parent, const QString& title, const QString& label, const QStringList& titles,
                             std::function<void(qsizetype)> chosen) {
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    auto* dialog = new QInputDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setComboBoxItems(titles);
    dialog->setComboBoxEditable(false);
    QObject::connect(dialog, &QInputDialog::textValueSelected, dialog,
                     [titles, chosen = std::move(chosen)](const QString& text) {
                         if (const auto index = titles.indexOf(text); index >= 0) chosen(index);
                     });
    dialog_ = dialog;
    // Window-modal, without a nested event loop of its own.
    dialog->open();
}

}  // namespace zentrel::app
