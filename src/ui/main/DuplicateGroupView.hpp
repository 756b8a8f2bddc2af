#pragma once
// One group of duplicate files: how many copies and what removing them
// frees, the kind of match, and a row per file with its icon (a preview
// button; a picture's thumbnail once decoded), name, middle-elided path and size. Every copy but the keeper has
// a check box bound to its scan item; the keeper shows "Keep".

#include "platform/desktop/PreviewPanel.hpp"
#include "ui/main/PictureThumbnails.hpp"
#include "ui/presenters/DuplicatesPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QCheckBox>
#include <QPushButton>
#include <QWidget>

namespace zentrel::ui {

class DuplicateMemberRow final : public QWidget {
public:
    // Without `thumbnails` a picture keeps its file icon.
    DuplicateMemberRow(viewmodels::ScanViewModel& viewModel, platform::PreviewPanel* previewPanel,
                       PictureThumbnails* thumbnails, const DuplicateMemberContent& member, QWidget* parent = nullptr);

    // None for the keeper and for a file without a scan item.
    [[nodiscard]] QCheckBox* checkBox() const { return checkBox_; }
    [[nodiscard]] QPushButton* previewButton() const { return preview_; }
    [[nodiscard]] bool showsThumbnail() const { return showsThumbnail_; }
    // Follows a change of the item's selection (and so of its name) in place.
    void showSelected(const DuplicateMemberContent& member);
    // The picture in the icon's place.
    void showThumbnail(const QImage& picture);

private:
    void sayPreviewCannotShow();

    QCheckBox* checkBox_ = nullptr;
    QPushButton* preview_ = nullptr;
    bool showsThumbnail_ = false;
};

class DuplicateGroupView final : public QWidget {
public:
    DuplicateGroupView(viewmodels::ScanViewModel& viewModel, platform::PreviewPanel* previewPanel,
                       PictureThumbnails* thumbnails, const DuplicateGroupContent& group, QWidget* parent = nullptr);

    [[nodiscard]] const std::vector<DuplicateMemberRow*>& memberRows() const { return rows_; }
    [[nodiscard]] int dividerCount() const { return dividers_; }

private:
    std::vector<DuplicateMemberRow*> rows_;
    int dividers_ = 0;
};

}  // namespace zentrel::ui
