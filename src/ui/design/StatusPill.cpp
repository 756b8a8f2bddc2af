#include "ui/design/StatusPill.hpp"

namespace zentrel::ui {
namespace {

CapsuleLabel::Style styleOf(StatusPill::Variant variant) {
    using namespace DesignTokens;
    const auto make = [](ColorToken foreground, ColorToken background) {
        return CapsuleLabel::Style{foreground, background, pillFont(), pillIconFont(), 8, 3};
    };
    switch (variant) {
    case StatusPill::Variant::safe: return make(health(), healthTint());
    case StatusPill::Variant::review: return make(review(), reviewTint());
    case StatusPill::Variant::danger: return make(danger(), dangerTint());
    case StatusPill::Variant::ai: return make(ai(), aiTint());
    case StatusPill::Variant::neutral: return make(textSecondary(), neutralTint());
    }
    return make(textSecondary(), neutralTint());
}

}  // namespace

StatusPill::StatusPill(QString text, QString symbolName, Variant variant, QWidget* parent)
    : CapsuleLabel(std::move(text), std::move(symbolName), styleOf(variant), parent), variant_(variant) {}

}  // namespace zentrel::ui
