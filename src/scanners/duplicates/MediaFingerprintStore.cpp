#include "scanners/duplicates/MediaFingerprintStore.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/files/MountTypes.hpp"
#include "platform/text/Warnings.hpp"
#include "scanners/duplicates/Sha256.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace zentrel::scanners {

namespace {

// The stored form, little-endian: the magic, the version, the entry count,
// the entries in key order (kEntryBytes each) and the SHA-256 of all before.
constexpr std::string_view kMagic{"ZNTRMFP\0", 8};
// Raised whenever fingerprints are computed differently: older stores are then discarded.
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeaderBytes = 8 + 4 + 4 + 8;
constexpr std::size_t kDigestBytes = 32;
constexpr std::size_t kEntryBytes = 5 * 8 + 4 + 1 + 1 + 4 + 4 + 8 + 8 + kDigestBytes;
constexpr std::uint8_t kHasFingerprint = 1;

std::int32_t dayOf(platform::Date date) {
    return static_cast<std::int32_t>(std::floor(date.timeIntervalSince1970() / 86400.0));
}

class Writer {
public:
    template <typename T>
    void put(T value) {
        using U = std::make_unsigned_t<T>;
        auto bits = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i, bits = static_cast<U>(bits >> 8))
            bytes.push_back(static_cast<char>(bits & 0xff));
    }
    void put(std::string_view raw) { bytes.append(raw); }

    std::string bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    template <typename T>
    T get() {
        using U = std::make_unsigned_t<T>;
        U bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits = static_cast<U>(bits | static_cast<U>(static_cast<U>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i)));
        at_ += sizeof(T);
        return static_cast<T>(bits);
    }
    std::string_view raw(std::size_t count) {
        const auto part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

std::string rawDigest(const std::string& hex) {
    std::string raw;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) raw.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return raw;
}

bool isHexDigest(const std::string& text) {
    return text.size() == 2 * kDigestBytes &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool isStoredKind(model::DuplicateKind kind) {
    return kind == model::DuplicateKind::perceptualImage || kind == model::DuplicateKind::perceptualVideo;
}

}  // namespace

MediaFileKey MediaFileKey::of(const struct stat& status) {
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::int64_t>(status.st_size), nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

MediaFingerprintStore::MediaFingerprintStore(const platform::Clock& clock)
    : clock_(&clock), changeTimeCheck_(platform::deviceKeepsOwnChangeTimes) {}

MediaFingerprintStore::MediaFingerprintStore(MediaFingerprintStore&& other) noexcept
    : clock_(other.clock_), changeTimeCheck_(std::move(other.changeTimeCheck_)) {
    const std::lock_guard lock(other.mutex_);
    trustedDevices_ = std::move(other.trustedDevices_);
    entries_ = std::move(other.entries_);
    fileChecksum_ = std::move(other.fileChecksum_);
}

std::optional<MediaFingerprintStore> MediaFingerprintStore::parse(std::string_view bytes, const platform::Clock& clock) {
    if (bytes.size() < kHeaderBytes + kDigestBytes) return std::nullopt;
    const auto body = bytes.substr(0, bytes.size() - kDigestBytes);
    const auto digest = Sha256::of(body);
    if (std::memcmp(digest.data(), bytes.data() + body.size(), kDigestBytes) != 0) return std::nullopt;

    Reader reader(body);
    if (reader.raw(kMagic.size()) != kMagic || reader.get<std::uint32_t>() != kVersion) return std::nullopt;
    reader.get<std::uint32_t>();
    const auto count = reader.get<std::uint64_t>();
    if (count > (body.size() - kHeaderBytes) / kEntryBytes || body.size() != kHeaderBytes + count * kEntryBytes)
        return std::nullopt;

    MediaFingerprintStore store(clock);
    std::optional<MediaFileKey> previous;
    for (std::uint64_t i = 0; i < count; ++i) {
        MediaFileKey key{reader.get<std::uint64_t>(), reader.get<std::uint64_t>(), reader.get<std::int64_t>(),
                         reader.get<std::int64_t>(), reader.get<std::int64_t>()};
        // Keys in strictly rising order: no entry twice.
        if (previous && !(*previous < key)) return std::nullopt;
        previous = key;
        Entry entry;
        entry.lastSeenDay = reader.get<std::int32_t>();
        const auto flags = reader.get<std::uint8_t>();
        const auto kind = static_cast<model::DuplicateKind>(reader.get<std::uint8_t>());
        const auto width = reader.get<std::uint32_t>();
        const auto height = reader.get<std::uint32_t>();
        const auto primary = reader.get<std::uint64_t>();
        const auto secondary = reader.get<std::uint64_t>();
        const auto structural = reader.raw(kDigestBytes);
        if (key.sizeBytes < 0 || (flags & ~kHasFingerprint) != 0) return std::nullopt;
        if (flags & kHasFingerprint) {
            constexpr auto kLargestSide = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
            if (!isStoredKind(kind) || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide ||
                (primary == 0 && secondary == 0))
                return std::nullopt;
            Sha256Digest structuralDigest{};
            std::memcpy(structuralDigest.data(), structural.data(), kDigestBytes);
            entry.fingerprint = MediaFingerprint{primary, secondary, hexDigest(structuralDigest),
                                                 static_cast<std::int64_t>(width), static_cast<std::int64_t>(height), kind};
        }
        store.entries_.emplace(key, std::move(entry));
    }
    return store;
}

MediaFingerprintStore MediaFingerprintStore::load(const std::filesystem::path& path, const platform::Clock& clock) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error || status.type() == std::filesystem::file_type::not_found) return MediaFingerprintStore(clock);
    // Never more than a store ever written, and never through a link.
    if (status.type() != std::filesystem::file_type::regular ||
        std::filesystem::file_size(path, error) > kMaximumBytes + kHeaderBytes + kDigestBytes || error) {
        platform::warn("Ignored the picture fingerprint cache at " + path.string() + ": it is not a cache file");
        return MediaFingerprintStore(clock);
    }
    const auto bytes = platform::readWholeFile(path);
    if (!bytes) return MediaFingerprintStore(clock);
    if (auto store = parse(*bytes, clock)) {
        store->fileChecksum_ = bytes->substr(bytes->size() - kDigestBytes);
        return std::move(*store);
    }
    platform::warn("Discarded the damaged picture fingerprint cache at " + path.string());
    return MediaFingerprintStore(clock);
}

bool MediaFingerprintStore::trustsKeysOn(std::uint64_t device) const {
    const std::lock_guard lock(mutex_);
    const auto found = trustedDevices_.find(device);
    if (found != trustedDevices_.end()) return found->second;
    return trustedDevices_[device] = changeTimeCheck_ && changeTimeCheck_(device);
}

std::optional<std::optional<MediaFingerprint>> MediaFingerprintStore::find(const MediaFileKey& key) const {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(key);
    if (found == entries_.end()) return std::nullopt;
    found->second.seen = true;
    return found->second.fingerprint;
}

void MediaFingerprintStore::remember(const MediaFileKey& key, const std::optional<MediaFingerprint>& fingerprint,
                                     platform::Date readStartedAt) {
    const auto settledBefore = (readStartedAt.timeIntervalSince1970() - 1.0) * 1e9;
    if (static_cast<double>(key.changedNanoseconds) > settledBefore) return;
    // Only what the store can hold back exactly.
    if (fingerprint && (!isStoredKind(fingerprint->kind) || !isHexDigest(fingerprint->structuralDigest) ||
                        fingerprint->pixelWidth < 1 || fingerprint->pixelHeight < 1 ||
                        fingerprint->pixelWidth > std::numeric_limits<int>::max() ||
                        fingerprint->pixelHeight > std::numeric_limits<int>::max()))
        return;
    const std::lock_guard lock(mutex_);
    auto& entry = entries_[key];
    entry.fingerprint = fingerprint;
    entry.seen = true;
}

std::size_t MediaFingerprintStore::size() const {
    const std::lock_guard lock(mutex_);
    return entries_.size();
}

std::string MediaFingerprintStore::serialized(std::size_t maximumBytes) const {
    const auto today = dayOf(clock_->now());
    const std::lock_guard lock(mutex_);
    std::vector<std::pair<const MediaFileKey*, std::int32_t>> kept;
    for (const auto& [key, entry] : entries_) {
        const auto lastSeen = entry.seen ? today : entry.lastSeenDay;
        if (today - lastSeen < kForgetAfterDays) kept.emplace_back(&key, lastSeen);
    }
    const auto maximumEntries =
        maximumBytes < kHeaderBytes + kDigestBytes ? 0 : (maximumBytes - kHeaderBytes - kDigestBytes) / kEntryBytes;
    if (kept.size() > maximumEntries) {
        // Those seen most recently stay; then back into key order.
        std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        kept.resize(maximumEntries);
        std::sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return *a.first < *b.first; });
    }

    Writer writer;
    writer.put(kMagic);
    writer.put(kVersion);
    writer.put(std::uint32_t{0});
    writer.put(static_cast<std::uint64_t>(kept.size()));
    for (const auto& [key, lastSeen] : kept) {
        const auto& fingerprint = entries_.at(*key).fingerprint;
        writer.put(key->device);
        writer.put(key->inode);
        writer.put(key->sizeBytes);
        writer.put(key->modifiedNanoseconds);
        writer.put(key->changedNanoseconds);
        writer.put(lastSeen);
        writer.put(fingerprint ? kHasFingerprint : std::uint8_t{0});
        writer.put(static_cast<std::uint8_t>(fingerprint ? fingerprint->kind : model::DuplicateKind::exactBytes));
        writer.put(static_cast<std::uint32_t>(fingerprint ? fingerprint->pixelWidth : 0));
        writer.put(static_cast<std::uint32_t>(fingerprint ? fingerprint->pixelHeight : 0));
        writer.put(fingerprint ? fingerprint->perceptualHash : 0);
        writer.put(fingerprint ? fingerprint->perceptualHashSecondary : 0);
        const auto structural = fingerprint ? rawDigest(fingerprint->structuralDigest) : std::string(kDigestBytes, '\0');
        writer.put(std::string_view(structural));
    }
    const auto digest = Sha256::of(writer.bytes);
    writer.put(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
    return std::move(writer.bytes);
}

namespace {

// The store's folder or file when it is a link, which nothing follows.
std::optional<std::filesystem::path> linkOnTheWay(const std::filesystem::path& path) {
    std::error_code error;
    for (const auto& part : {path.parent_path(), path})
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(part, error))) return part;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MediaFingerprintStore::save(const std::filesystem::path& path) const {
    // Never written through a link: the cache stays in the cache folder.
    if (const auto link = linkOnTheWay(path)) return link->string() + " is a link";
    const auto bytes = serialized();
    const auto checksum = bytes.substr(bytes.size() - kDigestBytes);
    if (checksum == fileChecksum_ || (fileChecksum_.empty() && size() == 0)) return std::nullopt;
    if (auto error = platform::writeFileAtomically(path, bytes)) return error;
    fileChecksum_ = checksum;
    return std::nullopt;
}

std::filesystem::path mediaFingerprintStorePath(const std::filesystem::path& cacheFolder) {
    return cacheFolder / "zentrel" / "media-fingerprints";
}

std::filesystem::path mediaFingerprintStorePath(const platform::HostTable& table) {
    if (table.platform == platform::HostPlatform::macos)
        return std::filesystem::path(table.home) / "Library/Caches/Zentrel/media-fingerprints";
    return mediaFingerprintStorePath(table.cacheHome);
}

bool removeMediaFingerprintStore(const std::filesystem::path& path) {
    if (linkOnTheWay(path)) return false;
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

void saveMediaFingerprintStore(const MediaFingerprintStore& store, const std::filesystem::path& path) {
    if (auto error = store.save(path)) platform::warn("Could not keep the picture fingerprints: " + *error);
}

}  // namespace zentrel::scanners
