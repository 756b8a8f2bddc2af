#pragma once
// The small state label: safe, review, danger, AI or neutral colours on a capsule.

#include "ui/design/CapsuleLabel.hpp"

namespace zentrel::ui {

class StatusPill final : public CapsuleLabel {
public:
    enum class Variant { safe, review, danger, ai, neutral };

    StatusPill(QString text, QString symbolName, Variant variant, QWidget* parent = nullptr);

    [[nodiscard]] Variant variant() const { return variant_; }

private:
    Variant variant_;
};

}  // namespace zentrel::ui
