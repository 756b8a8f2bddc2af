#pragma once
// The tool pages' texts that tell of another desktop's ways, replaced in the
// translation table by what is true on this one.

#include "platform/Localization.hpp"

namespace zentrel::ui {

void addToolPageDesktopTexts(platform::Localization& localization);

}  // namespace zentrel::ui
