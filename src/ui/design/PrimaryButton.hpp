#pragma once
// The call-to-action button: a tinted, prominent button with an optional
// symbol before its title, natural width or the full width.

#include "ui/design/DesignTokens.hpp"

#include <QPushButton>

#include <functional>

namespace zentrel::ui {

class PrimaryButton final : public QPushButton {
public:
    enum class Variant { accent, danger, health };

    PrimaryButton(const QString& title, std::optional<QString> symbolName, Variant variant, bool fullWidth,
                  std::function<void()> action, QWidget* parent = nullptr);

    [[nodiscard]] Variant variant() const { return variant_; }
    [[nodiscard]] QColor tintColor() const;

private:
    Variant variant_;
};

}  // namespace zentrel::ui
