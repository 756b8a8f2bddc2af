#pragma once
// The permission checklist card: one row per permission that matters here,
// each showing ON or offering Enable, with a hint and a restart button under
// a row that still waits. While shown it holds a reference on the shared
// permission poll, so the rows follow what the user changes meanwhile.

#include "ui/presenters/PermissionChecklist.hpp"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <optional>
#include <vector>

namespace zentrel::ui {

// One permission: a button that runs the permission's step while it is not granted.
class PermissionRow final : public QAbstractButton {
public:
    PermissionRow(const PermissionRowModel& row, QWidget* parent = nullptr);

    // Shows the row's granted state and whether it offers "Enable".
    void setState(const PermissionRowModel& row);
    [[nodiscard]] bool isGranted() const { return granted_; }
    [[nodiscard]] bool isHovering() const { return hovering_; }
    // "ON", "Enable" or "OFF", as shown.
    [[nodiscard]] QString statusText() const;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showStatus();

    PermissionRowModel row_;
    bool granted_ = false;
    bool hovering_ = false;
    QHBoxLayout* layout_ = nullptr;
    QLabel* well_ = nullptr;
    QWidget* status_ = nullptr;
};

class PermissionChecklistView final : public QWidget {
public:
    PermissionChecklistView(services::PermissionsManager& permissions, TypingPermission& typing,
                            bool includeOptional, QWidget* parent = nullptr);

    [[nodiscard]] const std::vector<PermissionRow*>& rows() const { return rows_; }
    // The shown hints' texts and restart buttons, in row order.
    [[nodiscard]] std::vector<QLabel*> visibleHints() const;
    [[nodiscard]] std::vector<QPushButton*> visibleRestartButtons() const;
    [[nodiscard]] bool holdsPoll() const { return lease_.has_value(); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Hint {
        QWidget* box = nullptr;
        QLabel* text = nullptr;
        QPushButton* restart = nullptr;
    };
    void refresh();

    services::PermissionsManager& permissions_;
    PermissionChecklist checklist_;
    std::vector<PermissionRow*> rows_;
    std::vector<Hint> hints_;
    std::optional<PermissionPollLease> lease_;
    platform::Subscription changed_;
};

}  // namespace zentrel::ui
