#pragma once
// The About dialog: the icon, name and version, what the program does, its
// licence and the libraries it is built on, with one Close button.

#include "ui/presenters/AboutPresenter.hpp"

#include <QDialog>
#include <QIcon>

namespace zentrel::ui {

class AboutDialog final : public QDialog {
public:
    AboutDialog(const AboutContent& content, const QIcon& icon, QWidget* parent = nullptr);
};

}  // namespace zentrel::ui
