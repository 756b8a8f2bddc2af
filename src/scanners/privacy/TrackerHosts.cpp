#include "scanners/privacy/TrackerHosts.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>
#include <array>

namespace zentrel::scanners {

namespace {

// Label words that mark a tracker wherever they stand between two labels.
constexpr std::array<std::string_view, 9> kTrackerTokens = {
    ".ads.", ".ad.", ".track.", ".tracker.", ".analytics.", ".metrics.", ".telemetry.", ".pixel.", ".beacon.",
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }


bool endsWithLabelSuffix(std::string_view host, std::string_view domain) {
    return host.size() > domain.size() && host.ends_with(domain) && host[host.size() - domain.size() - 1] == '.';
}

// The last two non-empty labels joined with ".", or nothing with fewer labels.
std::string lastTwoLabels(std::string_view host) {
    std::vector<std::string_view> labels;
    std::size_t start = 0;
    while (start <= host.size()) {
        std::size_t dot = host.find('.', start);
        if (dot == std::string_view::npos) dot = host.size();
        if (dot > start) labels.push_back(host.substr(start, dot - start));
        start = dot + 1;
    }
    if (labels.size() < 2) return {};
    return std::string(labels[labels.size() - 2]) + "." + std::string(labels.back());
}

}  // namespace

const std::unordered_set<std::string>& knownTrackerDomains() {
    static const std::unordered_set<std::string> domains = {
        "doubleclick.net",      "googlesyndication.com", "googleadservices.com", "google-analytics.com",
        "googletagmanager.com", "googletagservices.com", "2mdn.net",             "adnxs.com",
        "adsrvr.org",           "advertising.com",       "amazon-adsystem.com",  "scorecardresearch.com",
        "quantserve.com",       "criteo.com",            "criteo.net",           "taboola.com",
        "outbrain.com",         "rubiconproject.com",    "pubmatic.com",         "openx.net",
        "casalemedia.com",      "adform.net",            "bidswitch.net",        "mathtag.com",
        "demdex.net",           "omtrdc.net",            "everesttech.net",      "hotjar.com",
        "mixpanel.com",         "segment.io",            "amplitude.com",        "chartbeat.com",
        "nr-data.net",          "facebook.net",          "ads-twitter.com",      "moatads.com",
        "adsafeprotected.com",  "doubleverify.com",      "krxd.net",             "bluekai.com",
        "agkn.com",             "exelator.com",          "rlcdn.com",            "tapad.com",
        "adroll.com",           "sharethrough.com",      "smartadserver.com",    "teads.tv",
        "media.net",            "zemanta.com",           "appsflyer.com",        "adjust.com",
        "kochava.com",          "clarity.ms",            "fullstory.com",        "crazyegg.com",
        "mouseflow.com",        "statcounter.com",       "heapanalytics.com",    "3lift.com",
        "serving-sys.com",
    };
    return domains;
}

std::string normalizedCookieHost(std::string_view host) {
    const std::string lowered = platform::asciiLowercased(host);
    std::string_view view = lowered;
    while (!view.empty() && isBlank(view.front())) view.remove_prefix(1);
    while (!view.empty() && isBlank(view.back())) view.remove_suffix(1);
    if (view.starts_with('.')) view.remove_prefix(1);
    if (view.starts_with("www.")) view.remove_prefix(4);
    return std::string(view);
}

bool isTrackerHost(std::string_view host) {
    const std::string normalized = normalizedCookieHost(host);
    if (normalized.empty()) return false;
    const auto& domains = knownTrackerDomains();
    if (domains.contains(normalized)) return true;
    for (const auto& domain : domains) {
        if (endsWithLabelSuffix(normalized, domain)) return true;
    }
    for (auto token : kTrackerTokens) {
        if (normalized.find(token) != std::string::npos) return true;
    }
    const std::string registrable = lastTwoLabels(normalized);
    return !registrable.empty() && domains.contains(registrable);
}

std::vector<std::string> trackerHosts(const std::vector<std::string>& hosts) {
    std::vector<std::string> trackers;
    for (const auto& host : hosts) {
        if (isTrackerHost(host)) trackers.push_back(host);
    }
    std::sort(trackers.begin(), trackers.end());
    trackers.erase(std::unique(trackers.begin(), trackers.end()), trackers.end());
    return trackers;
}

std::int64_t trackerCookieCount(const std::vector<std::string>& hosts) {
    return std::count_if(hosts.begin(), hosts.end(), [](const std::string& host) { return isTrackerHost(host); });
}

}  // namespace zentrel::scanners
