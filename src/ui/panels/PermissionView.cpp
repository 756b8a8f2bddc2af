#include "ui/panels/PermissionView.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/Contrast.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/panels/PanelStyle.hpp"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPropertyAnimation>

namespace zentrel::ui {
namespace {

constexpr const char* kGrantedTitle = N_("I've granted access \u2014 continue");

// `card` at `width`, centred in a row: wrapped labels inside then get the height they need.
QWidget* centredCard(QWidget* card, int width) {
    card->setFixedWidth(width);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(card);
    layout->addStretch();
    return row;
}

QLabel* centred(QLabel* label) {
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

// The step's number on an accent disc, white as on the primary buttons, so it reads in both appearances.
QLabel* stepNumber(int number, QWidget* parent) {
    auto* label = new QLabel(countText(number), parent);
    label->setFont(weighted(DesignTokens::detailFont(), QFont::Medium).font());
    label->setFixedSize(18, 18);
    label->setAlignment(Qt::AlignCenter);
    followAppearance(label, [label] {
        label->setStyleSheet(QString("background-color: %1; color: white; border-radius: 9px;")
                                 .arg(fillForWhiteText(DesignTokens::accent().resolve(appPalette())).name()));
    });
    return label;
}

}  // namespace

PermissionView::PermissionView(Services services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      screen_(services_.permissions, services_.timers, services_.didBecomeActive) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* column = nullptr;
    auto* body = stackWidget(nullptr, 16, column);
    column->setContentsMargins(32, 16, 32, 16);
    column->addStretch();

    column->addWidget(symbolLabel("lock.shield.fill", DesignTokens::resultIconFont(), DesignTokens::accent(), body), 0,
                      Qt::AlignHCenter);

    QVBoxLayout* header = nullptr;
    auto* headerBox = stackWidget(body, 12, header);
    const auto title = localizedText("Full Disk Access Required");
    const auto subtitle = localizedText(
        "Zentrel needs Full Disk Access to scan and clean\nXcode caches, app data, and system files.");
    header->addWidget(centred(tokenLabel(title, DesignTokens::displayFont(), DesignTokens::textPrimary(), headerBox)));
    header->addWidget(
        centred(wrappingLabel(subtitle, DesignTokens::bodyFont(), DesignTokens::textSecondary(), headerBox)));
    headerBox->setAccessibleName(title);
    column->addWidget(headerBox);

    QVBoxLayout* actions = nullptr;
    auto* actionBox = stackWidget(body, 12, actions);
    open_ = new PrimaryButton(localizedText("Open Privacy & Security Settings"), QString("arrow.up.forward.app.fill"),
                              PrimaryButton::Variant::accent, false, [this] { services_.openAccessSettings(); },
                              actionBox);
    open_->setFont(DesignTokens::bodyFont().font());
    open_->setAccessibleDescription(localizedText("Opens Full Disk Access in System Settings."));
    actions->addWidget(open_, 0, Qt::AlignHCenter);

    auto* grantedRow = new QWidget(actionBox);
    auto* grantedLayout = new QHBoxLayout(grantedRow);
    grantedLayout->setContentsMargins(0, 0, 0, 0);
    grantedLayout->setSpacing(8);
    spinner_ = new QProgressBar(grantedRow);
    spinner_->setRange(0, 0);
    spinner_->setTextVisible(false);
    spinner_->setFixedWidth(48);
    granted_ = new QPushButton(buttonText(localizedText(kGrantedTitle)), grantedRow);
    granted_->setFlat(true);
    granted_->setFont(DesignTokens::bodyFont().font());
    followAppearance(granted_, [this] {
        auto palette = granted_->palette();
        palette.setColor(QPalette::ButtonText, DesignTokens::textSecondary().resolve(appPalette()));
        granted_->setPalette(palette);
    });
    granted_->setAccessibleDescription(localizedText("Verifies Full Disk Access and continues to the app."));
    connect(granted_, &QPushButton::clicked, this, [this] { screen_.checkGranted(); });
    grantedLayout->addStretch();
    grantedLayout->addWidget(spinner_);
    grantedLayout->addWidget(granted_);
    grantedLayout->addStretch();
    actions->addWidget(grantedRow);

    denied_ = centredCard(makeDeniedCard(), 480);
    actions->addWidget(denied_);
    column->addWidget(actionBox);

    column->addWidget(centredCard(makeStepsCard(), 420));
    column->addStretch();
    // Everything stays reachable at the screen's fixed size, with the denied card too.
    outer->addWidget(clearScrollArea(body, this));

    observers_.push_back(screen_.isChecking.observe([this](const bool& checking) { showChecking(checking); }));
    observers_.push_back(screen_.showDenied.observe([this](const bool& shown) {
        denied_->setVisible(shown);
        if (!shown) return;
        auto* effect = new QGraphicsOpacityEffect(denied_);
        denied_->setGraphicsEffect(effect);
        auto* fade = new QPropertyAnimation(effect, "opacity", denied_);
        fade->setDuration(DesignTokens::emphasisAnimation().durationMs);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        connect(fade, &QPropertyAnimation::finished, denied_, [this] { denied_->setGraphicsEffect(nullptr); });
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }));
    showChecking(false);
    denied_->setVisible(false);
}

QWidget* PermissionView::makeDeniedCard() {
    QVBoxLayout* content = nullptr;
    auto* box = stackWidget(nullptr, 12, content);
    auto* headline = new QWidget(box);
    auto* headlineLayout = new QHBoxLayout(headline);
    headlineLayout->setContentsMargins(0, 0, 0, 0);
    headlineLayout->setSpacing(6);
    headlineLayout->addStretch();
    headlineLayout->addWidget(
        symbolLabel("exclamationmark.triangle.fill", DesignTokens::detailFont(), DesignTokens::review(), headline));
    headlineLayout->addWidget(
        tokenLabel(localizedText("Full Disk Access not detected. Please enable it and try again."),
                   DesignTokens::detailFont(), DesignTokens::review(), headline));
    headlineLayout->addStretch();
    content->addWidget(headline);
    for (const char* key :
         {N_("macOS only applies Full Disk Access after Zentrel restarts. Make sure the toggle is ON, then reopen the app "
          "below."),
          N_("After an app update, turn the Zentrel toggle OFF then ON in Full Disk Access if access still isn't "
          "detected.")}) {
        content->addWidget(
            centred(wrappingLabel(localizedText(key), DesignTokens::detailFont(), DesignTokens::textSecondary(), box)));
    }
    auto* restart = new QPushButton(buttonText(localizedText("Quit & Reopen Zentrel")), box);
    restart->setFont(DesignTokens::detailFont().font());
    followAppearance(restart, [restart] { restart->setIcon(textSymbol("arrow.clockwise", restart)); });
    restart->setAccessibleDescription(localizedText("Restarts the app so macOS applies Full Disk Access."));
    connect(restart, &QPushButton::clicked, this, [this] { services_.permissions.relaunch(); });
    content->addWidget(restart, 0, Qt::AlignHCenter);
    return new GlassCard(GlassCard::Variant::accent, 12, 14, false, box);
}

QWidget* PermissionView::makeStepsCard() {
    QVBoxLayout* content = nullptr;
    auto* box = stackWidget(nullptr, 12, content);
    auto heading = tokenLabel(localizedText("How to enable:").toUpper(), DesignTokens::tagFont(),
                              DesignTokens::textSecondary(), box);
    auto headingFont = heading->font();
    headingFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    heading->setFont(headingFont);
    content->addWidget(heading);
    int number = 0;
    for (const char* step : FullDiskAccessScreen::steps()) {
        auto* row = new QWidget(box);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(12);
        layout->addWidget(stepNumber(++number, row), 0, Qt::AlignTop);
        layout->addWidget(wrappingLabel(localizedText(step), DesignTokens::bodyFont(), DesignTokens::textSecondary(),
                                        row),
                          1);
        content->addWidget(row);
    }
    auto* card = new GlassCard(GlassCard::Variant::primary, 16, 14, false, box);
    card->setAccessibleName(localizedText("Steps to enable Full Disk Access"));
    return card;
}

void PermissionView::showChecking(bool checking) {
    spinner_->setVisible(checking);
    granted_->setEnabled(!checking);
    granted_->setText(buttonText(localizedText(checking ? "Checking\u2026" : kGrantedTitle)));
}

void PermissionView::showEvent(QShowEvent* event) {
    if (services_.appeared) services_.appeared();
    if (!lease_) lease_.emplace(services_.permissions);
    QWidget::showEvent(event);
}

void PermissionView::hideEvent(QHideEvent* event) {
    lease_.reset();
    QWidget::hideEvent(event);
}

}  // namespace zentrel::ui
