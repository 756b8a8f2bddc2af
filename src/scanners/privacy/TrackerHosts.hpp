#pragma once
// Decides which cookie hosts belong to advertising and analytics services: a
// fixed set of tracker domains (with their subdomains) and a few label words
// such as ".ads." or ".pixel.". Free functions without state, safe on any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zentrel::scanners {

// The 61 lower-case registrable domains of well-known trackers, built once.
[[nodiscard]] const std::unordered_set<std::string>& knownTrackerDomains();

// Lower-cased, trimmed, without one leading "." and without a leading "www" label.
[[nodiscard]] std::string normalizedCookieHost(std::string_view host);

[[nodiscard]] bool isTrackerHost(std::string_view host);

// The tracker hosts among `hosts`, spelled as given, each once, in ascending order.
[[nodiscard]] std::vector<std::string> trackerHosts(const std::vector<std::string>& hosts);
// How many of `hosts` (one per cookie) are tracker hosts: the tracker cookies.
[[nodiscard]] std::int64_t trackerCookieCount(const std::vector<std::string>& hosts);

}  // namespace zentrel::scanners
