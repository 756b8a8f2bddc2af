#include "ui/main/MainContentDialogs.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/main/CleanConfirmationDialog.hpp"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zentrel::ui {
namespace {

// A window-modal box whose texts are shown as written, never as markup.
QMessageBox* plainBox(QWidget& parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::NoButton, &parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

}  // namespace

void MessageBoxDialogs::confirmClean(QWidget& parent, const CleanConfirmation& confirmation,
                                     std::function<void()> confirmed) {
    CleanConfirmationDialog::ask(parent, confirmation, std::move(confirmed));
}

void MessageBoxDialogs::showCleanFailures(QWidget& parent, const QString& title, const QString& message,
                                          std::function<void(bool)> closed) {
    auto* box = plainBox(parent, QMessageBox::Warning, title, message);
    auto* view = box->addButton(localizedText("View in Results"), QMessageBox::ActionRole);
    box->setDefaultButton(box->addButton(localizedText("OK"), QMessageBox::AcceptRole));
    QObject::connect(box, &QMessageBox::finished, box, [box, view, closed = std::move(closed)](int) {
        closed(box->clickedButton() == view);
    });
    box->open();
}

std::optional<QString> MessageBoxDialogs::chooseReportFile(QWidget& parent, const QString& suggestedName) {
    const auto file = QFileDialog::getSaveFileName(&parent, QString(), QDir::home().filePath(suggestedName),
                                                   localizedText("Plain text") + " (*.txt)");
    if (file.isEmpty()) return std::nullopt;
    return file;
}

void MessageBoxDialogs::showWarning(QWidget& parent, const QString& title, const QString& message) {
    auto* box = plainBox(parent, QMessageBox::Warning, title, message);
    box->addButton(QMessageBox::Ok);
    box->open();
}

}  // namespace zentrel::ui
