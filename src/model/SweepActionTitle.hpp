#pragma once
// The title a sweep action is shown under, in the reader's language. A
// record keeps the title as it was written when the sweep ran (the text
// before translation, or in older records the window's language of that
// day); the shown title is made again from it and the action's kind.

#include "model/SweepRecord.hpp"
#include "platform/text/Localization.hpp"

#include <string>
#include <string_view>

namespace zentrel::model {

// The label a store-wide tracker-cookie action is recorded under: "Chrome tracker cookies".
[[nodiscard]] std::string trackerCookiesLabel(std::string_view browser);
// The label a cleared clipboard is recorded under.
inline constexpr std::string_view kClipboardClearedLabel = N_("Clipboard cleared");

// "Chrome tracker cookies" is shown as "Cookie theo dõi của Chrome" in Vietnamese.
[[nodiscard]] std::string sweepActionTitle(const SweepAction& action);

}  // namespace zentrel::model
