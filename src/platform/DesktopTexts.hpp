#pragma once
// The app's English texts are its translation keys. Those that speak of a
// Mac, its Finder or its settings say here what is true on this desktop;
// both programs add this table at start, and other languages translate the
// same keys as they stand.

#include "platform/Localization.hpp"

namespace zentrel::platform {

void addDesktopTexts(Localization& localization);

}  // namespace zentrel::platform
