#include "ui/panels/OnboardingParts.hpp"

#include "ui/design/AppCanvas.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/panels/PanelStyle.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>

#include <cmath>

namespace zentrel::ui {

PageDotsView::PageDotsView(int totalSteps, QWidget* parent)
    : QWidget(parent), totalSteps_(totalSteps), dots_(pageDots(0, totalSteps)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QString::fromStdString(pageDotsLabel(0, totalSteps_)));
    const auto& quick = DesignTokens::quickAnimation();
    animation_.setDuration(quick.durationMs);
    animation_.setEasingCurve(quick.curve);
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged, this, [this] { update(); });
}

void PageDotsView::setStep(int step) {
    previous_ = step_;
    step_ = step;
    dots_ = pageDots(step, totalSteps_);
    setAccessibleName(QString::fromStdString(pageDotsLabel(step, totalSteps_)));
    animation_.stop();
    animation_.start();  // explicit state animations run even with motion reduced
}

QSize PageDotsView::sizeHint() const { return {kWideDot + (totalSteps_ - 1) * (kDot + kSpacing), kDot}; }

void PageDotsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto palette = appPalette();
    const double progress = animation_.state() == QAbstractAnimation::Running ? animation_.currentValue().toDouble()
                                                                              : 1.0;
    auto faded = DesignTokens::textTertiary().resolve(palette);
    faded.setAlphaF(faded.alphaF() * 0.35F);
    const auto accent = DesignTokens::accent().resolve(palette);
    double x = 0;
    for (int i = 0; i < totalSteps_; ++i) {
        const double from = i == previous_ ? kWideDot : kDot;
        const double to = i == step_ ? kWideDot : kDot;
        const double width = from + (to - from) * progress;
        painter.setPen(Qt::NoPen);
        painter.setBrush(dots_[static_cast<std::size_t>(i)].filled ? accent : faded);
        painter.drawRoundedRect(QRectF(x, 0, width, kDot), kDot / 2.0, kDot / 2.0);
        x += width + kSpacing;
    }
}

StepHero::StepHero(const OnboardingStep& step, QWidget* parent)
    : QWidget(parent), step_(step), diameter_(step.compactHero ? 72 : 96) {
    setAccessibleName({});
    setFixedSize(diameter_, diameter_);
    keepDotsClear(*this);
    // A few pulses when the step appears, then the symbol rests; none with motion reduced.
    pulse_.setStartValue(0.0);
    pulse_.setEndValue(1.0);
    pulse_.setDuration(1600);
    pulse_.setLoopCount(kPulses);
    QObject::connect(&pulse_, &QVariantAnimation::valueChanged, this, [this] { update(); });
    if (!reducedMotion()) pulse_.start();
}

void StepHero::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    pulse_.stop();
}

QSize StepHero::sizeHint() const { return {diameter_, diameter_}; }

void StepHero::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto tint = tintColor(step_.tint).resolve(appPalette());
    auto circle = tint;
    circle.setAlphaF(0.14F);
    painter.setPen(Qt::NoPen);
    painter.setBrush(circle);
    painter.drawEllipse(rect());
    const auto& font = step_.compactHero ? DesignTokens::compactHeroIconFont() : DesignTokens::heroIconFont();
    const int size = QFontMetrics(font.font()).height();
    const double phase = pulse_.state() == QAbstractAnimation::Running ? pulse_.currentValue().toDouble() : 0.0;
    painter.setOpacity(0.65 + 0.35 * (0.5 + 0.5 * std::cos(phase * 2 * M_PI)));
    const auto symbol = tintedSymbol(step_.icon, size, tint, devicePixelRatioF());
    painter.drawPixmap(QPoint((width() - size) / 2, (height() - size) / 2), symbol);
}

QScrollArea* stepLayout(const OnboardingStep& step, const std::vector<QWidget*>& content) {
    QVBoxLayout* column = nullptr;
    auto* body = stackWidget(nullptr, step.compactHero ? 16 : 24, column);
    column->setContentsMargins(32, 16, 32, 16);

    auto* hero = new StepHero(step, body);
    column->addWidget(hero, 0, Qt::AlignHCenter);
    new SectionReveal(hero, 0, reducedMotion());

    QVBoxLayout* headingStack = nullptr;
    auto* heading = stackWidget(body, 8, headingStack);
    auto* title = wrappingLabel(localizedText(step.title), weighted(DesignTokens::titleFont(), QFont::DemiBold),
                                DesignTokens::textPrimary(), heading);
    title->setAlignment(Qt::AlignHCenter);
    auto* subtitle =
        wrappingLabel(localizedText(step.subtitle), DesignTokens::bodyFont(), DesignTokens::textSecondary(), heading);
    subtitle->setAlignment(Qt::AlignHCenter);
    headingStack->addWidget(title);
    headingStack->addWidget(subtitle);
    column->addWidget(heading);
    new SectionReveal(heading, 0.04, reducedMotion());

    for (auto* widget : content) column->addWidget(widget);
    column->addStretch();
    return clearScrollArea(body);
}

QWidget* stepCard(const std::vector<OnboardingRow>& rows, RowKind kind) {
    const bool feature = kind == RowKind::feature;
    QVBoxLayout* list = nullptr;
    auto* content = stackWidget(nullptr, 12, list);
    for (const auto& row : rows) {
        auto* line = new QWidget(content);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(feature ? 12 : 8);
        const auto& symbolFont = feature ? DesignTokens::headerIconFont() : DesignTokens::mediumIconFont();
        auto* symbol = symbolLabel(row.icon, symbolFont, tintColor(row.tint), line);
        auto* column = new QWidget(line);
        column->setFixedWidth(feature ? 28 : 20);
        auto* columnLayout = new QVBoxLayout(column);
        columnLayout->setContentsMargins(0, 0, 0, 0);
        columnLayout->addWidget(symbol, 0, Qt::AlignHCenter | (feature ? Qt::AlignVCenter : Qt::AlignTop));
        layout->addWidget(column, 0, feature ? Qt::AlignVCenter : Qt::AlignTop);

        QVBoxLayout* texts = nullptr;
        auto* textColumn = stackWidget(line, 2, texts);
        texts->addWidget(tokenLabel(localizedText(row.title), weighted(DesignTokens::bodyFont(), QFont::Medium),
                                    DesignTokens::textPrimary(), textColumn));
        texts->addWidget(wrappingLabel(localizedText(row.detail), DesignTokens::detailFont(),
                                       DesignTokens::textSecondary(), textColumn));
        layout->addWidget(textColumn, 1);
        list->addWidget(line);
    }
    auto* card = new GlassCard(GlassCard::Variant::primary, 16, 14, false, content);
    new SectionReveal(card, 0.06, reducedMotion());
    return card;
}

}  // namespace zentrel::ui
