#pragma once
// A defaults suite held in memory only.

#include "platform/settings/MemoryDefaultsStore.hpp"

namespace zentrel::testing {

using InMemoryDefaultsStore = platform::MemoryDefaultsStore;

}  // namespace zentrel::testing
