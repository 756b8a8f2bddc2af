#pragma once
// The smart cleanup plan's count line: "3 safe items across 1 category".
// Each number takes the plural form of its own noun, so the sentence is put
// together from two counted texts.

#include <string>

namespace zentrel::ui {

[[nodiscard]] std::string safeItemsAcrossCategories(long long items, long long categories);

}  // namespace zentrel::ui
