#include "doubles/LimitedChild.hpp"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace zentrel::testing {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitsAddressSpace = false;
#else
constexpr bool kLimitsAddressSpace = true;
#endif

int runInLimitedChild(std::size_t roomBytes, unsigned seconds, const std::function<int()>& body) {
    std::ifstream status("/proc/self/statm");
    std::size_t pages = 0;
    status >> pages;
    const auto limit = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + roomBytes;
    const pid_t child = ::fork();
    if (child < 0) return -1000;
    if (child == 0) {
        const rlimit memory{limit, limit};
        if (kLimitsAddressSpace && ::setrlimit(RLIMIT_AS, &memory) != 0) ::_exit(100);
        if (seconds > 0) ::alarm(seconds);
        ::_exit(body());
    }
    int result = 0;
    if (::waitpid(child, &result, 0) != child) return -1000;
    return WIFEXITED(result) ? WEXITSTATUS(result) : -WTERMSIG(result);
}

}  // namespace zentrel::testing
