#include "ui/panels/MenuBarDialogs.hpp"

#include "ui/main/CleanConfirmationDialog.hpp"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace zentrel::ui {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void MessageBoxMenuBarDialogs::askQuickClean(QWidget* parent, const QuickCleanQuestion& question,
                                             std::function<void(QuickCleanAnswer)> answered) {
    auto* dialog = new CleanConfirmationDialog(question.confirmation, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!question.reviewLabel.empty()) dialog->addAlternative(fromUtf8(question.reviewLabel));
    QObject::connect(dialog, &QDialog::finished, dialog, [answered = std::move(answered)](int result) {
        if (result == QDialog::Accepted) answered(QuickCleanAnswer::clean);
        else if (result == CleanConfirmationDialog::kAlternative) answered(QuickCleanAnswer::reviewFirst);
        else answered(QuickCleanAnswer::cancel);
    });
    dialog->open();
}

void MessageBoxMenuBarDialogs::askCalmDown(const CalmDownQuestion& question, std::function<void()> confirmed) {
    auto* box = new QMessageBox(question.isNotice() ? QMessageBox::Information : QMessageBox::Warning,
                                fromUtf8(question.title), fromUtf8(question.title));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->setTextFormat(Qt::PlainText);
    box->setInformativeText(fromUtf8(question.message));
    // Application names are data: never read as markup.
    if (auto* informative = box->findChild<QLabel*>("qt_msgbox_informativelabel"))
        informative->setTextFormat(Qt::PlainText);
    if (question.isNotice()) {
        box->addButton(QMessageBox::Ok);
    } else {
        auto* calm = box->addButton(fromUtf8(question.confirmLabel), QMessageBox::AcceptRole);
        box->setDefaultButton(box->addButton(fromUtf8(question.cancelLabel), QMessageBox::RejectRole));
        QObject::connect(box, &QMessageBox::finished, box, [box, calm, confirmed = std::move(confirmed)](int) {
            if (box->clickedButton() == calm) confirmed();
        });
    }
    box->open();
}

}  // namespace zentrel::ui
