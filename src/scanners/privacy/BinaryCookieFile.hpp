#pragma once
// Safari's binary cookie file, read whole into memory. The file is the magic
// "cook", a big-endian page count and page-size table, then the pages; a page
// is a 4-byte header, a big-endian record count and length-prefixed records;
// a record names its cookie's host in its fifth length-prefixed field.
//
// Reading is lenient (hosts up to the first inconsistency count); rewriting is
// strict: only an intact file is ever rebuilt, so no cookie past a damaged
// spot can be lost.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::scanners {

class BinaryCookieFile final {
public:
    // Both reader and rewriter need at least this many bytes.
    static constexpr std::size_t kMinimumSize = 9;

    explicit BinaryCookieFile(std::string contents);

    // Whether the file starts with "cook".
    [[nodiscard]] bool hasMagic() const;
    // Whether it has the magic, and every page size, page and record lies
    // inside the bounds that contain it.
    [[nodiscard]] bool isIntact() const;

    // The distinct non-empty hosts of the records read, in no particular order;
    // empty for a file without the magic or shorter than the minimum.
    [[nodiscard]] std::vector<std::string> hosts() const;
    // The host of every cookie record read, one per cookie, in file order.
    [[nodiscard]] std::vector<std::string> cookieHosts() const;

    struct Rewrite {
        std::string contents;
        std::int64_t removedCount = 0;
    };
    // The file without the records whose normalised host (see
    // `normalizedCookieDomain`) is one of `normalizedDomains`. Every other
    // record, every page and every page header stays as it was; nothing after
    // the last page is written. Only for an intact file.
    [[nodiscard]] Rewrite removingHosts(const std::set<std::string>& normalizedDomains) const;

    // A page rebuilt without the records of `normalizedDomains`, with the
    // number left out. A page shorter than the minimum comes back unchanged.
    [[nodiscard]] static Rewrite rebuildPage(std::string_view page, const std::set<std::string>& normalizedDomains);

    // The host of one record (the bytes after its length prefix), if it names one.
    [[nodiscard]] static std::optional<std::string> recordHost(std::string_view record);

private:
    struct Pages {
        std::vector<std::string_view> pages;
        bool complete = false;
    };
    struct Records {
        std::vector<std::string_view> records;
        bool complete = false;
    };
    [[nodiscard]] Pages splitPages() const;
    [[nodiscard]] static Records splitRecords(std::string_view page);

    std::string contents_;
};

// Lower-cased, without one leading "."; nothing is trimmed. Used for the
// domains to remove and for the hosts of the records they are matched with.
[[nodiscard]] std::string normalizedCookieDomain(std::string_view host);

}  // namespace zentrel::scanners
