#pragma once
// How much a clean takes, as the screens write it: bytes on disk, and the
// tracker cookies it removes, which free no space of their own (their store
// keeps its size), counted instead of weighed.

#include "model/CleanItem.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace zentrel::viewmodels {

// The tracker cookies cleaning the item removes; 0 for any other item.
[[nodiscard]] std::int64_t trackerCookieCount(const model::CleanItem& item);
// "20 KB", "12 tracker cookies" without bytes, or "20 KB and 12 tracker cookies".
[[nodiscard]] std::string cleanFigureText(std::int64_t bytes, std::int64_t trackerCookies);
// The figure of one item.
[[nodiscard]] std::string cleanFigureText(const model::CleanItem& item);
// What a clean button does: "Clean 20 KB", "Remove 12 tracker cookies" without
// bytes, or "Clean 20 KB + 12 tracker cookies".
[[nodiscard]] std::string cleanActionText(std::int64_t bytes, std::int64_t trackerCookies);
// What a clean did: "20 KB freed", "12 tracker cookies removed" without
// bytes, or "20 KB freed and 12 tracker cookies removed".
[[nodiscard]] std::string cleanResultText(std::int64_t bytes, std::int64_t trackerCookies);
// The tracker cookies cleaning all of `items` removes.
[[nodiscard]] std::int64_t trackerCookieCount(const std::vector<model::CleanItem>& items);

}  // namespace zentrel::viewmodels
