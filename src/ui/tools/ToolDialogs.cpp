#include "ui/tools/ToolDialogs.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QLabel>
#include <QPushButton>

namespace zentrel::ui {
namespace {

QMessageBox* plainBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                      const QString& message) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(message);
    for (auto* label : box->findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    return box;
}

}  // namespace

QMessageBox* confirmDestructive(QWidget* parent, const QString& title, const QString& message,
                                const QString& confirmLabel, const QString& cancelLabel,
                                std::function<void()> confirmed) {
    auto* box = plainBox(parent, QMessageBox::Warning, title, title, message);
    auto* confirm = box->addButton(buttonText(confirmLabel), QMessageBox::DestructiveRole);
    box->setDefaultButton(box->addButton(buttonText(cancelLabel), QMessageBox::RejectRole));
    QObject::connect(box, &QMessageBox::finished, box, [box, confirm, confirmed = std::move(confirmed)](int) {
        if (box->clickedButton() == confirm && confirmed) confirmed();
    });
    box->open();
    return box;
}

QMessageBox* showAlert(QWidget* parent, const QString& title, const QString& message, const QString& buttonLabel,
                       std::function<void()> closed) {
    auto* box = plainBox(parent, QMessageBox::Information, title, title, message);
    box->setDefaultButton(box->addButton(buttonText(buttonLabel), QMessageBox::AcceptRole));
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)](int) {
        if (closed) closed();
    });
    box->open();
    return box;
}

}  // namespace zentrel::ui
