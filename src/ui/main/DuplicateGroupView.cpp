#include "ui/main/DuplicateGroupView.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/main/QuickLookHelper.hpp"

#include <QHBoxLayout>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSignalBlocker>
#include <QToolTip>

namespace zentrel::ui {
namespace {

// A click asks for the copy's other fate and leaves the tick to the answer, which names the box before it
// ticks it: a screen reader says the new state with the new fate, never the old one.
class FateCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

StatusPill::Variant pillVariant(PillVariant variant) {
    switch (variant) {
    case PillVariant::safe: return StatusPill::Variant::safe;
    case PillVariant::review: return StatusPill::Variant::review;
    case PillVariant::danger: return StatusPill::Variant::danger;
    case PillVariant::ai: return StatusPill::Variant::ai;
    case PillVariant::neutral: break;
    }
    return StatusPill::Variant::neutral;
}

StatusPill* pill(const Pill& content, QWidget* parent) {
    return new StatusPill(QString::fromStdString(content.text), QString::fromStdString(content.symbol),
                          pillVariant(content.variant), parent);
}

// The desktop's icon for the file's type, by name and then by content.
QIcon fileIcon(const QString& path) {
    static const QMimeDatabase types;
    const auto type = types.mimeTypeForFile(path);
    auto icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull()) icon = QIcon::fromTheme("text-x-generic");
    return icon;
}

QString selectionWord(bool selected) { return localizedText(selected ? "Selected" : N_("Not selected")); }

constexpr int kWellSide = 44;
constexpr int kThumbnailSide = 40;

// The middle square of the picture with rounded corners, `side` points at the widget's density.
QPixmap roundedSquare(const QImage& picture, int side, qreal ratio) {
    const int pixels = qRound(side * ratio);
    const auto filled = picture.scaled(pixels, pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QPixmap square(pixels, pixels);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath corners;
    corners.addRoundedRect(QRectF(0, 0, pixels, pixels), 6 * ratio, 6 * ratio);
    painter.setClipPath(corners);
    painter.drawImage(QPoint((pixels - filled.width()) / 2, (pixels - filled.height()) / 2), filled);
    painter.end();
    square.setDevicePixelRatio(ratio);
    return square;
}

}  // namespace

DuplicateMemberRow::DuplicateMemberRow(viewmodels::ScanViewModel& viewModel, platform::PreviewPanel* previewPanel,
                                       PictureThumbnails* thumbnails, const DuplicateMemberContent& member,
                                       QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(12);
    const auto fileName = QString::fromStdString(member.fileName);
    if (member.showsCheckBox) {
        checkBox_ = new FateCheckBox(this);
        showSelected(member);
        QObject::connect(checkBox_, &QCheckBox::clicked, this,
                         [&viewModel, id = *member.itemId] { viewModel.toggleItem(id); });
        row->addWidget(checkBox_);
    } else {
        // The keeper's column stays empty, so every row's icon lines up.
        // A spacer gets no spacing after it, unlike the check box.
        const QCheckBox probe;
        row->addSpacing(probe.sizeHint().width() + row->spacing());
    }

    const auto path = QString::fromStdString(member.path);
    preview_ = new QPushButton(this);
    preview_->setFlat(true);
    preview_->setFixedSize(kWellSide, kWellSide);
    preview_->setIcon(fileIcon(path));
    preview_->setIconSize(QSize(36, 36));
    followAppearance(preview_, [button = preview_] {
        const auto well = DesignTokens::neutralTint().resolve(appPalette());
        button->setStyleSheet(QString("QPushButton { background-color: %1; border: none; border-radius: 8px; }")
                                  .arg(well.name(QColor::HexArgb)));
    });
    preview_->setAccessibleName(QString::fromStdString(member.previewName));
    preview_->setAccessibleDescription(localizedText("Opens a preview of this file."));
    setPlainToolTip(*preview_, localizedText("Opens a preview of this file."));
    QObject::connect(preview_, &QPushButton::clicked, this, [this, previewPanel, path = member.path] {
        QuickLookHelper::preview(path, previewPanel, [row = QPointer<DuplicateMemberRow>(this)](bool asked) {
            if (!asked && row) row->sayPreviewCannotShow();
        });
    });
    row->addWidget(preview_);
    if (member.isPicture && thumbnails != nullptr) {
        thumbnails->request(member.path, [row = QPointer<DuplicateMemberRow>(this)](const QImage& picture) {
            if (row) row->showThumbnail(picture);
        });
    }

    QVBoxLayout* texts = nullptr;
    auto* textStack = stackWidget(this, 2, texts);
    auto* nameLine = new QHBoxLayout;
    nameLine->setSpacing(8);
    auto* name = tokenLabel(fileName, DesignTokens::bodyFont(), DesignTokens::textPrimary(), textStack);
    name->setFont(mediumFont(DesignTokens::bodyFont()));
    nameLine->addWidget(name);
    if (member.keepPill) nameLine->addWidget(pill(*member.keepPill, textStack));
    nameLine->addStretch();
    texts->addLayout(nameLine);
    auto* fullPath = elidedTokenLabel(path, DesignTokens::detailFont(), DesignTokens::textSecondary(), Qt::ElideMiddle,
                                      textStack);
    fullPath->setAccessibleName(path);
    texts->addWidget(fullPath);
    row->addWidget(textStack, 1);
    row->addSpacing(4);
    row->addWidget(tokenLabel(QString::fromStdString(member.sizeText), DesignTokens::bodyFont(),
                              DesignTokens::textSecondary(), this));
    setAccessibleName(QString::fromStdString(member.accessibleName));
}

void DuplicateMemberRow::sayPreviewCannotShow() {
    // The button says it to a screen reader, which speaks the changed description of the focus, and shows it.
    const auto text = localizedText(N_("No file previewer is available on this desktop."));
    preview_->setAccessibleDescription(text);
    setPlainToolTip(*preview_, text);
    QToolTip::showText(preview_->mapToGlobal(QPoint(0, preview_->height())), text, preview_);
}

void DuplicateMemberRow::showThumbnail(const QImage& picture) {
    preview_->setIcon(QIcon(roundedSquare(picture, kThumbnailSide, preview_->devicePixelRatioF())));
    preview_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    showsThumbnail_ = true;
}

void DuplicateMemberRow::showSelected(const DuplicateMemberContent& member) {
    setAccessibleName(QString::fromStdString(member.accessibleName));
    if (checkBox_ == nullptr) return;
    const QSignalBlocker quiet(checkBox_);
    checkBox_->setAccessibleName(QString::fromStdString(member.accessibleName));
    checkBox_->setAccessibleDescription(selectionWord(member.isSelected));
    checkBox_->setChecked(member.isSelected);
}

DuplicateGroupView::DuplicateGroupView(viewmodels::ScanViewModel& viewModel, platform::PreviewPanel* previewPanel,
                                       PictureThumbnails* thumbnails, const DuplicateGroupContent& group,
                                       QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    QVBoxLayout* titles = nullptr;
    auto* titleStack = stackWidget(body, 2, titles);
    titles->addWidget(tokenLabel(QString::fromStdString(group.countText), DesignTokens::headlineFont(),
                                 DesignTokens::textPrimary(), titleStack));
    titles->addWidget(tokenLabel(QString::fromStdString(group.freeText), DesignTokens::detailFont(),
                                 DesignTokens::textSecondary(), titleStack));
    header->addWidget(titleStack, 1);
    header->addWidget(pill(group.kindPill, body), 0, Qt::AlignVCenter);
    content->addLayout(header);
    for (const auto& member : group.members) {
        auto* row = new DuplicateMemberRow(viewModel, previewPanel, thumbnails, member, body);
        rows_.push_back(row);
        content->addWidget(row);
        if (member.dividerAfter) {
            content->addWidget(rowDivider(body));
            ++dividers_;
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new GlassCard(GlassCard::Variant::primary, 16, 14, true, body, this));
}

}  // namespace zentrel::ui
