#pragma once
// The typing shortcut sheet: the two global shortcuts and each input
// method's key examples, read-only. "Đóng" or Escape closes it; it never
// shrinks below 420 x 380 and its examples scroll under a fixed header.

#include <QDialog>
#include <QPushButton>

namespace zentrel::ui {

class IMEShortcutSheet final : public QDialog {
public:
    explicit IMEShortcutSheet(QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* closeButton() const { return close_; }

private:
    QPushButton* close_ = nullptr;
};

}  // namespace zentrel::ui
