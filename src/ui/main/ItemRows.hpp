#pragma once
// The rows of the result lists: `FriendlyItemRow` says what an item is in
// plain words, `ItemRow` shows its technical detail; both toggle the item's
// selection through the view model and mark an item whose deletion failed.
// `SuggestedCommandRow` offers a shell command to copy.

#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/Clipboard.hpp"
#include "ui/design/StatusPill.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <string>

namespace zentrel::ui {

[[nodiscard]] StatusPill* safetyBadge(model::SafetyLevel level, QWidget* parent);
[[nodiscard]] StatusPill* failedDeletionBadge(QWidget* parent);

class SuggestedCommandRow final : public QWidget {
public:
    static constexpr auto kCopiedFor = std::chrono::milliseconds(1600);

    SuggestedCommandRow(QString command, platform::Clipboard& clipboard, platform::TimerScheduler& timers,
                        QWidget* parent = nullptr);

    // The command without a trailing "  # comment", trimmed.
    [[nodiscard]] static QString copiedText(const QString& command);
    void copy();
    [[nodiscard]] bool isCopied() const { return copied_; }
    [[nodiscard]] QPushButton* copyButton() const { return button_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showCopied(bool copied);

    QString command_;
    platform::Clipboard& clipboard_;
    platform::TimerScheduler& timers_;
    QPushButton* button_ = nullptr;
    bool copied_ = false;
    std::vector<platform::Timer> resets_;
};

// What the rows need besides the view model: the clipboard and timers of the
// command rows.
struct ItemRowServices {
    viewmodels::ScanViewModel& viewModel;
    platform::Clipboard& clipboard;
    platform::TimerScheduler& timers;
    // The duplicates page names folders from "~" inside it.
    std::string homeFolder = {};
};

class ItemRowBase : public QWidget {
public:
    [[nodiscard]] QCheckBox* checkBox() const { return checkBox_; }
    [[nodiscard]] QLabel* failureLine() const { return failure_; }
    [[nodiscard]] StatusPill* failedBadge() const { return failedBadge_; }
    [[nodiscard]] StatusPill* safety() const { return safety_; }
    [[nodiscard]] SuggestedCommandRow* commandRow() const { return command_; }
    [[nodiscard]] QLabel* sizeLabel() const { return size_; }
    [[nodiscard]] bool isFailed() const;
    [[nodiscard]] const model::CleanItem& item() const { return item_; }
    // Follows a change of the item's selection in place.
    void showSelected(bool selected);

protected:
    ItemRowBase(ItemRowServices services, model::CleanItem item, QWidget* parent);
    // A click anywhere on the row toggles the item, like its check box.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void makeCheckBox();
    QLabel* makeFailureLine();
    void makeCommandRow();
    void makeSize();
    void describeSelection();

    ItemRowServices services_;
    model::CleanItem item_;
    QCheckBox* checkBox_ = nullptr;
    QLabel* failure_ = nullptr;
    StatusPill* failedBadge_ = nullptr;
    StatusPill* safety_ = nullptr;
    SuggestedCommandRow* command_ = nullptr;
    QLabel* size_ = nullptr;
};

class FriendlyItemRow final : public ItemRowBase {
public:
    FriendlyItemRow(ItemRowServices services, model::CleanItem item, QWidget* parent = nullptr);
    [[nodiscard]] QLabel* descriptionLabel() const { return description_; }

private:
    QLabel* description_ = nullptr;
};

class ItemRow final : public ItemRowBase {
public:
    ItemRow(ItemRowServices services, model::CleanItem item, QWidget* parent = nullptr);
    // The one detail line: the failure, else the warning, else the path.
    [[nodiscard]] QLabel* detailLine() const { return detail_; }

private:
    QLabel* detail_ = nullptr;
};

}  // namespace zentrel::ui
