#pragma once
// The design colour a screen element is tinted with, named for presenters
// that know no toolkit; the widgets resolve it to the design token.

namespace zentrel::ui {

enum class TintToken { accent, health, ai, review };

}  // namespace zentrel::ui
