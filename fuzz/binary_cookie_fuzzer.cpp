// Binary cookie files of any shape: reading never fails, and a file that
// reads as intact is rewritten into one that is intact again.

#include "scanners/privacy/BinaryCookieFile.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zentrel::scanners::BinaryCookieFile;
    const BinaryCookieFile file(std::string(reinterpret_cast<const char*>(data), size));
    const auto hosts = file.hosts();
    if (!file.isIntact() || hosts.empty()) return 0;
    const auto rewrite = file.removingHosts({zentrel::scanners::normalizedCookieDomain(hosts.front())});
    if (!BinaryCookieFile(rewrite.contents).isIntact()) std::abort();
    return 0;
}
