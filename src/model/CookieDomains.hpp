#pragma once
// How cookie hosts are told apart: ".x.com" and "X.com" are one domain, the
// first spelling of a host standing for it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::model {

// The host in lower case without one leading ".".
[[nodiscard]] std::string cookieDomainKey(std::string_view host);
// The hosts with each domain once, in their order, each by its first spelling.
[[nodiscard]] std::vector<std::string> distinctCookieDomains(const std::vector<std::string>& hosts);
[[nodiscard]] std::size_t distinctCookieDomainCount(const std::vector<std::string>& hosts);
// Whether `host` is `domain` or lies below it, leading dots and case aside.
[[nodiscard]] bool cookieHostIsWithin(std::string_view host, std::string_view domain);

}  // namespace zentrel::model
