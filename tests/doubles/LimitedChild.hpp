#pragma once
// Runs a piece of a test in a forked child under an address-space limit (what
// the test process holds now plus `roomBytes`) and, when `seconds` is not 0,
// a time limit, so a flood or a hang ends the child instead of the suite.

#include <cstddef>
#include <functional>

namespace zentrel::testing {

// The child's exit code (what `body` returned), or the signal that ended it
// as a negative number (-SIGALRM when its time ran out); -1000 when it could
// not be started. Under the address sanitizer, which reserves more address
// space than such a limit allows, only the time limit applies.
[[nodiscard]] int runInLimitedChild(std::size_t roomBytes, unsigned seconds, const std::function<int()>& body);

}  // namespace zentrel::testing
