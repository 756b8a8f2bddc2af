#include "ui/panels/UpdateAvailableBanner.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

UpdateAvailableBanner::UpdateAvailableBanner(UpdateBannerPresenter& presenter, QWidget* parent)
    : QWidget(parent), presenter_(presenter) {
    opacity_ = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(opacity_);
    const auto& token = DesignTokens::hoverAnimation();
    animation_.setEasingCurve(token.curve);
    animation_.setDuration(token.durationMs);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        progress_ = value.toDouble();
        place();
    });
    connect(&animation_, &QVariantAnimation::finished, this, [this] {
        if (progress_ <= 0.0) hide();
    });
    hide();
    changed_ = presenter_.changed.subscribe([this] { refresh(); });
    refresh();
}

QSize UpdateAvailableBanner::sizeHint() const {
    if (card_ == nullptr || !shown_) return {0, 0};
    const auto card = card_->sizeHint();
    const int width = std::min(card.width(), kMaximumWidth);
    return {width, card_->hasHeightForWidth() ? card_->heightForWidth(width) : card.height()};
}

void UpdateAvailableBanner::refresh() {
    const auto content = presenter_.content();
    if (content == shown_) return;
    if (!content) {
        shown_.reset();
        animate(false);
        return;
    }
    const bool appearing = !shown_;
    shown_ = content;
    build(*content);
    if (appearing) animate(true);
    updateGeometry();
}

void UpdateAvailableBanner::build(const UpdateBannerContent& content) {
    if (card_ != nullptr) card_->deleteLater();
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->setAlignment(Qt::AlignTop);
    row->addWidget(iconWell("arrow.down.circle.fill", DesignTokens::mediumIconFont(), DesignTokens::accent(), 36, 0.18,
                            body),
                   0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(
        tokenLabel(fromUtf8(content.title), DesignTokens::headlineFont(), DesignTokens::textPrimary(), body));
    auto* version =
        tokenLabel(fromUtf8(content.versionText), DesignTokens::detailFont(), DesignTokens::textSecondary(), body);
    version->setWordWrap(true);
    texts->addWidget(version);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->setSpacing(8);
    updateNow_ = new PrimaryButton(fromUtf8(content.updateNowLabel), std::nullopt, PrimaryButton::Variant::accent,
                                   false, [this] { presenter_.updateNow(); }, body);
    updateNow_->setFont(DesignTokens::buttonLabelFont().font());
    later_ = new QPushButton(fromUtf8(content.laterLabel), body);
    later_->setFlat(true);
    later_->setFont(DesignTokens::detailFont().font());
    connect(later_, &QPushButton::clicked, this, [this] { presenter_.later(); });
    buttons->addWidget(updateNow_);
    buttons->addWidget(later_);
    buttons->addStretch(1);
    texts->addLayout(buttons);
    row->addLayout(texts, 1);

    close_ = new QPushButton(body);
    close_->setFlat(true);
    const auto side = QFontMetrics(DesignTokens::tagFont().font()).height();
    followAppearance(close_, [close = close_, side] {
        close->setIcon(QIcon(tintedSymbol("xmark", side, DesignTokens::textTertiary().resolve(appPalette()),
                                          close->devicePixelRatioF())));
    });
    close_->setIconSize(QSize(side, side));
    close_->setFixedSize(side + 8, side + 8);
    close_->setAccessibleName(fromUtf8(content.dismissLabel));
    setPlainToolTip(*close_, fromUtf8(content.dismissLabel));
    connect(close_, &QPushButton::clicked, this, [this] { presenter_.later(); });
    row->addWidget(close_, 0, Qt::AlignTop);

    card_ = new GlassCard(GlassCard::Variant::accent, 12, 14, true, body, this);
    card_->setMaximumWidth(kMaximumWidth);
    card_->setAccessibleName(fromUtf8(content.accessibleLabel));
    card_->show();
    place();
}

void UpdateAvailableBanner::animate(bool in) {
    animation_.stop();
    if (in) show();
    if (reducedMotion()) {
        progress_ = in ? 1.0 : 0.0;
        place();
        if (!in) hide();
        return;
    }
    animation_.setStartValue(progress_);
    animation_.setEndValue(in ? 1.0 : 0.0);
    animation_.start();
}

void UpdateAvailableBanner::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void UpdateAvailableBanner::place() {
    opacity_->setOpacity(progress_);
    if (card_ == nullptr) return;
    const int offset = static_cast<int>(kSlideDistance * (1.0 - progress_));
    card_->setGeometry(offset, 0, width(), height());
}

}  // namespace zentrel::ui
