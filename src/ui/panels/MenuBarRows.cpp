#include "ui/panels/MenuBarRows.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/NamedColors.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <filesystem>

namespace zentrel::ui {
namespace {

constexpr int kButtonWell = 26;
constexpr int kCategoryWell = 20;
constexpr int kAppIcon = 16;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The row's own widgets only draw: the button takes every click.
void passClicksThrough(QWidget* widget) { widget->setAttribute(Qt::WA_TransparentForMouseEvents); }

QPixmap appIconPixmap(const std::optional<std::string>& icon, qreal ratio) {
    if (!icon || icon->empty()) return {};
    const auto name = fromUtf8(*icon);
    const QIcon found = std::filesystem::path(*icon).is_absolute() ? QIcon(name) : QIcon::fromTheme(name);
    if (found.isNull()) return {};
    return found.pixmap(QSize(kAppIcon, kAppIcon), ratio);
}

}  // namespace

MenuBarRowButton::MenuBarRowButton(QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    followAppearance(this, [this] {
        auto hover = DesignTokens::accent().resolve(appPalette());
        hover.setAlphaF(0.12F);
        setStyleSheet(QString("QPushButton { border: none; border-radius: 8px; background: transparent; }"
                              "QPushButton:hover, QPushButton:focus { background: %1; }")
                          .arg(hover.name(QColor::HexArgb)));
    });
}

QSize MenuBarRowButton::sizeHint() const { return layout() ? layout()->sizeHint() : QPushButton::sizeHint(); }

QSize MenuBarRowButton::minimumSizeHint() const {
    return layout() ? layout()->minimumSize() : QPushButton::minimumSizeHint();
}

MenuBarButton::MenuBarButton(const MenuBarButtonContent& content, QWidget* parent)
    : MenuBarRowButton(parent), action_(content.action) {
    const auto title = fromUtf8(content.title);
    setAccessibleName(title);
    setAccessibleDescription(fromUtf8(content.hint));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(12);
    auto* well = iconWell(fromUtf8(content.symbol), DesignTokens::rowIconFont(), tintToken(content.tint), kButtonWell,
                          0.14, this);
    auto* label = tokenLabel(title, DesignTokens::bodyFont(), DesignTokens::textPrimary(), this);
    for (auto* part : {static_cast<QWidget*>(well), static_cast<QWidget*>(label)}) passClicksThrough(part);
    row->addWidget(well);
    row->addWidget(label, 1);
}

CategoryRow::CategoryRow(const CategoryRowContent& content, QWidget* parent) : MenuBarRowButton(parent) {
    const auto title = fromUtf8(content.title);
    setAccessibleName(title + ", " + fromUtf8(content.sizeText));
    setAccessibleDescription(fromUtf8(content.hint));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(8);
    auto* well = iconWell(fromUtf8(std::string(model::icon(content.category))), DesignTokens::detailFont(),
                          namedColor(model::color(content.category)), kCategoryWell, 0.14, this);
    auto* name = elidedTokenLabel(title, DesignTokens::detailFont(), DesignTokens::textPrimary(), Qt::ElideRight, this);
    auto* size =
        tokenLabel(fromUtf8(content.sizeText), DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    for (auto* part : {static_cast<QWidget*>(well), static_cast<QWidget*>(name), static_cast<QWidget*>(size)})
        passClicksThrough(part);
    row->addWidget(well);
    row->addWidget(name, 1);
    row->addWidget(size);
}

HeavyAppRow::HeavyAppRow(const HeavyAppRowContent& content, std::function<void()> onQuit, QWidget* parent)
    : QWidget(parent) {
    const auto name = fromUtf8(content.name);
    const auto hint = fromUtf8(content.hint);
    setAccessibleName(name);
    setAccessibleDescription(hint);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    const auto icon = appIconPixmap(content.icon, devicePixelRatioF());
    if (icon.isNull()) {
        auto* symbol = symbolLabel("app.fill", DesignTokens::detailFont(), DesignTokens::textTertiary(), this);
        symbol->setFixedSize(kAppIcon, kAppIcon);
        symbol->setScaledContents(true);
        row->addWidget(symbol);
    } else {
        auto* image = new QLabel(this);
        image->setFixedSize(kAppIcon, kAppIcon);
        image->setPixmap(icon);
        row->addWidget(image);
    }
    const auto& font = DesignTokens::detailFont();
    row->addWidget(elidedTokenLabel(name, font, DesignTokens::textPrimary(), Qt::ElideRight, this), 1);
    row->addWidget(tokenLabel(fromUtf8(content.sizeText), font, DesignTokens::textSecondary(), this));
    quit_ = new QPushButton(localizedText("Quit"), this);
    quit_->setFont(DesignTokens::footnoteFont().font());
    quit_->setAccessibleDescription(hint);
    connect(quit_, &QPushButton::clicked, this, [onQuit = std::move(onQuit)] { onQuit(); });
    row->addWidget(quit_);
}

UsageBar::UsageBar(double fraction, ColorToken fill, const QString& accessibleLabel, QWidget* parent)
    : QWidget(parent), fraction_(std::clamp(fraction, 0.0, 1.0)), fill_(fill) {
    setFixedHeight(6);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(accessibleLabel);
}

void UsageBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const auto palette = appPalette();
    painter.setBrush(DesignTokens::hairline().resolve(palette));
    painter.drawRoundedRect(QRectF(rect()), 3, 3);
    if (fraction_ <= 0) return;
    painter.setBrush(fill_.resolve(palette));
    painter.drawRoundedRect(QRectF(0, 0, width() * fraction_, height()), 3, 3);
}

QWidget* sectionDivider(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(16, 0, 16, 0);
    auto* line = new QWidget(holder);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    followAppearance(line, [line] {
        auto color = DesignTokens::hairline().resolve(appPalette());
        color.setAlphaF(color.alphaF() * 0.6F);
        auto palette = line->palette();
        palette.setColor(QPalette::Window, color);
        line->setPalette(palette);
    });
    row->addWidget(line);
    return holder;
}

ColorToken tintToken(MenuBarTint tint) {
    switch (tint) {
    case MenuBarTint::accent: return DesignTokens::accent();
    case MenuBarTint::health: return DesignTokens::health();
    case MenuBarTint::review: return DesignTokens::review();
    case MenuBarTint::danger: return DesignTokens::danger();
    case MenuBarTint::secondary: return DesignTokens::textSecondary();
    }
    return DesignTokens::accent();
}

ColorToken usageToken(UsageColor color) {
    switch (color) {
    case UsageColor::accent: return DesignTokens::accent();
    case UsageColor::review: return DesignTokens::review();
    case UsageColor::danger: return DesignTokens::danger();
    }
    return DesignTokens::accent();
}

ColorToken pressureToken(services::MemoryPressure pressure) {
    switch (pressure) {
    case services::MemoryPressure::normal: return DesignTokens::health();
    case services::MemoryPressure::warning: return DesignTokens::review();
    case services::MemoryPressure::critical: return DesignTokens::danger();
    }
    return DesignTokens::health();
}

}  // namespace zentrel::ui
