#pragma once
// The desktop-independent system colours the categories are drawn in, each
// with its light and dark value.

#include "model/NamedColor.hpp"
#include "ui/design/DesignTokens.hpp"

namespace zentrel::ui {

[[nodiscard]] const DynamicColor& namedColor(model::NamedColor color);

}  // namespace zentrel::ui
