#include "model/CookieDomains.hpp"

#include "platform/text/AsciiCase.hpp"

#include <set>

namespace zentrel::model {

std::string cookieDomainKey(std::string_view host) {
    if (host.starts_with('.')) host.remove_prefix(1);
    return platform::asciiLowercased(host);
}

std::vector<std::string> distinctCookieDomains(const std::vector<std::string>& hosts) {
    std::vector<std::string> distinct;
    std::set<std::string> seen;
    for (const auto& host : hosts) {
        if (seen.insert(cookieDomainKey(host)).second) distinct.push_back(host);
    }
    return distinct;
}

std::size_t distinctCookieDomainCount(const std::vector<std::string>& hosts) {
    return distinctCookieDomains(hosts).size();
}

bool cookieHostIsWithin(std::string_view host, std::string_view domain) {
    const auto h = cookieDomainKey(host);
    const auto d = cookieDomainKey(domain);
    if (d.empty()) return false;
    return h == d || (h.size() > d.size() && h.ends_with(d) && h[h.size() - d.size() - 1] == '.');
}

}  // namespace zentrel::model
