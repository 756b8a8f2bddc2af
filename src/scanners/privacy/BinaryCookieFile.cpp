#include "scanners/privacy/BinaryCookieFile.hpp"

#include <algorithm>

namespace zentrel::scanners {

namespace {

constexpr std::string_view kMagic = "cook";
constexpr std::size_t kPageTableOffset = 8;
constexpr std::size_t kPagePreambleSize = 8;  // header and record count
constexpr std::size_t kFirstFieldLengthOffset = 24;
constexpr std::size_t kHostFieldIndex = 4;  // the fifth field
constexpr std::uint32_t kHostFlag = 4;

std::uint32_t bigEndian32(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint32_t littleEndian32(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

void appendBigEndian32(std::string& out, std::size_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16));
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v));
}

// Whether `size` bytes starting at `offset` lie inside `total` bytes.
bool fits(std::size_t offset, std::size_t size, std::size_t total) {
    return offset <= total && size <= total - offset;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (!fits(i, length, text.size())) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace

std::string normalizedCookieDomain(std::string_view host) {
    std::string result(host);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (result.starts_with('.')) result.erase(0, 1);
    return result;
}

BinaryCookieFile::BinaryCookieFile(std::string contents) : contents_(std::move(contents)) {}

bool BinaryCookieFile::hasMagic() const { return std::string_view(contents_).starts_with(kMagic); }

BinaryCookieFile::Pages BinaryCookieFile::splitPages() const {
    Pages result;
    const std::string_view file = contents_;
    if (file.size() < kMinimumSize) return result;
    const std::uint32_t pageCount = bigEndian32(file, 4);
    std::vector<std::size_t> sizes;
    std::size_t offset = kPageTableOffset;
    for (std::uint32_t i = 0; i < pageCount && fits(offset, 4, file.size()); ++i, offset += 4) {
        sizes.push_back(bigEndian32(file, offset));
    }
    for (std::size_t size : sizes) {
        if (!fits(offset, size, file.size())) return result;
        result.pages.push_back(file.substr(offset, size));
        offset += size;
    }
    result.complete = sizes.size() == pageCount;
    return result;
}

BinaryCookieFile::Records BinaryCookieFile::splitRecords(std::string_view page) {
    Records result;
    if (page.size() < kPagePreambleSize) return result;
    const std::uint32_t recordCount = bigEndian32(page, 4);
    std::size_t offset = kPagePreambleSize;
    for (std::uint32_t i = 0; i < recordCount; ++i) {
        if (!fits(offset, 4, page.size())) return result;
        const std::size_t length = bigEndian32(page, offset);
        offset += 4;
        if (!fits(offset, length, page.size())) return result;
        result.records.push_back(page.substr(offset, length));
        offset += length;
    }
    result.complete = true;
    return result;
}

std::optional<std::string> BinaryCookieFile::recordHost(std::string_view record) {
    if (record.size() < kFirstFieldLengthOffset + 4) return std::nullopt;
    if ((littleEndian32(record, 8) & kHostFlag) == 0) return std::nullopt;
    std::size_t offset = kFirstFieldLengthOffset;
    for (std::size_t field = 0;; ++field) {
        if (!fits(offset, 4, record.size())) return std::nullopt;
        const std::size_t length = littleEndian32(record, offset);
        offset += 4;
        if (!fits(offset, length, record.size())) return std::nullopt;
        if (field == kHostFieldIndex) {
            const std::string_view host = record.substr(offset, length);
            if (!isValidUtf8(host)) return std::nullopt;
            return std::string(host);
        }
        offset += length;
    }
}

bool BinaryCookieFile::isIntact() const {
    if (!hasMagic()) return false;
    const Pages split = splitPages();
    return split.complete && std::all_of(split.pages.begin(), split.pages.end(),
                                         [](std::string_view page) { return splitRecords(page).complete; });
}

std::vector<std::string> BinaryCookieFile::hosts() const {
    const auto all = cookieHosts();
    const std::set<std::string> found(all.begin(), all.end());
    return {found.begin(), found.end()};
}

std::vector<std::string> BinaryCookieFile::cookieHosts() const {
    if (!hasMagic()) return {};
    std::vector<std::string> found;
    for (std::string_view page : splitPages().pages) {
        for (std::string_view record : splitRecords(page).records) {
            if (auto host = recordHost(record); host && !host->empty()) found.push_back(std::move(*host));
        }
    }
    return found;
}

BinaryCookieFile::Rewrite BinaryCookieFile::rebuildPage(std::string_view page,
                                                        const std::set<std::string>& normalizedDomains) {
    if (page.size() < kMinimumSize) return {std::string(page), 0};
    std::vector<std::string_view> kept;
    std::int64_t removed = 0;
    for (std::string_view record : splitRecords(page).records) {
        const auto host = recordHost(record);
        if (host && normalizedDomains.contains(normalizedCookieDomain(*host))) {
            ++removed;
        } else {
            kept.push_back(record);
        }
    }
    std::string rebuilt(page.substr(0, 4));
    appendBigEndian32(rebuilt, kept.size());
    for (std::string_view record : kept) {
        appendBigEndian32(rebuilt, record.size());
        rebuilt.append(record);
    }
    return {std::move(rebuilt), removed};
}

BinaryCookieFile::Rewrite BinaryCookieFile::removingHosts(const std::set<std::string>& normalizedDomains) const {
    std::vector<Rewrite> pages;
    std::int64_t removed = 0;
    for (std::string_view page : splitPages().pages) {
        pages.push_back(rebuildPage(page, normalizedDomains));
        removed += pages.back().removedCount;
    }
    std::string file(kMagic);
    appendBigEndian32(file, pages.size());
    for (const auto& page : pages) appendBigEndian32(file, page.contents.size());
    for (const auto& page : pages) file += page.contents;
    return {std::move(file), removed};
}

}  // namespace zentrel::scanners
