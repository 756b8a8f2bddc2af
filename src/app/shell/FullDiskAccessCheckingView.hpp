#pragma once
// Shown while the first Full Disk Access probe runs: a busy indicator and
// "Checking permissions…".

#include <QWidget>

namespace zentrel::app {

class FullDiskAccessCheckingView final : public QWidget {
public:
    explicit FullDiskAccessCheckingView(QWidget* parent = nullptr);
};

}  // namespace zentrel::app
