// Every text the tests of this program looked up is checked at its end: an
// English and a Vietnamese entry, and no other system's words in either.

#include "doubles/TranslationCoverage.hpp"

namespace {

[[maybe_unused]] const bool registered = (zentrel::testing::checkLookedUpKeysAtExit(), true);

}  // namespace
