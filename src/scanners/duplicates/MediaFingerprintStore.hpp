#pragma once
// Picture and video fingerprints kept between duplicate scans, so a file that
// has not changed is not decoded again. An entry is keyed by the file's
// device, inode, size and modification and change times; it holds no path
// and no name, so the store is no list of the user's pictures. A file whose
// key changed is simply not found. Keys are trusted only on file systems
// that keep change times of their own (not on squashfs or FAT, say, where a
// rebuilt file may carry its old times). Safe from several threads at once.
//
//   auto store = MediaFingerprintStore::load(path);
//   if (auto known = store.find(key)) use(*known);   // a fingerprint, or none known to exist
//   store.remember(key, fingerprint, readStartedAt);
//   store.save(path);

#include "platform/concurrency/Clock.hpp"
#include "platform/places/HostTable.hpp"
#include "scanners/media/PictureHash.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace zentrel::scanners {

struct MediaFileKey {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t sizeBytes = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;

    [[nodiscard]] static MediaFileKey of(const struct stat& status);
    auto operator<=>(const MediaFileKey&) const = default;
};

class MediaFingerprintStore {
public:
    // Entries not seen for this long are dropped when the store is saved.
    static constexpr int kForgetAfterDays = 90;
    // The largest store written; the entries seen longest ago go first.
    static constexpr std::size_t kMaximumBytes = 32 * 1024 * 1024;

    // The clock dates the entries and tells when a read began.
    explicit MediaFingerprintStore(const platform::Clock& clock = platform::SystemClock::shared());
    MediaFingerprintStore(MediaFingerprintStore&& other) noexcept;
    MediaFingerprintStore& operator=(MediaFingerprintStore&&) = delete;

    // The store in `path`; empty when there is none. A damaged or foreign
    // file is never trusted: it is warned about and the store starts empty.
    [[nodiscard]] static MediaFingerprintStore load(const std::filesystem::path& path,
                                                    const platform::Clock& clock = platform::SystemClock::shared());
    // The entries of a stored form, or none when it is damaged or foreign.
    [[nodiscard]] static std::optional<MediaFingerprintStore> parse(
        std::string_view bytes, const platform::Clock& clock = platform::SystemClock::shared());

    [[nodiscard]] platform::Date now() const { return clock_->now(); }

    // Tells whether a device's files keep change times of their own; the
    // mount's type decides unless a test says otherwise.
    using ChangeTimeCheck = std::function<bool(std::uint64_t device)>;
    void setChangeTimeCheck(ChangeTimeCheck check) { changeTimeCheck_ = std::move(check); }
    // Whether keys of files on the device may be trusted; asked once per device.
    [[nodiscard]] bool trustsKeysOn(std::uint64_t device) const;

    // Known: the file's fingerprint, or nullopt inside when the file is known
    // to have none (it cannot be decoded or shows one plain colour).
    [[nodiscard]] std::optional<std::optional<MediaFingerprint>> find(const MediaFileKey& key) const;
    // Keeps what a read that began at `readStartedAt` found. A file changed
    // less than a second before that is not kept: the system stamps changes
    // with a coarse clock, so a second change within the same tick could
    // leave the key as it was.
    void remember(const MediaFileKey& key, const std::optional<MediaFingerprint>& fingerprint,
                  platform::Date readStartedAt);

    // The stored form: entries not seen for kForgetAfterDays dropped, those
    // seen longest ago dropped first past `maximumBytes`.
    [[nodiscard]] std::string serialized(std::size_t maximumBytes = kMaximumBytes) const;
    // Writes atomically, never through a link, and only what differs from
    // the file as loaded or last saved; an error text when the file could
    // not be written.
    [[nodiscard]] std::optional<std::string> save(const std::filesystem::path& path) const;

    [[nodiscard]] std::size_t size() const;

private:
    struct Entry {
        std::optional<MediaFingerprint> fingerprint;
        std::int32_t lastSeenDay = 0;
        // Found or remembered in this run: seen today when saved.
        mutable bool seen = false;
    };

    const platform::Clock* clock_;
    ChangeTimeCheck changeTimeCheck_;
    mutable std::map<std::uint64_t, bool> trustedDevices_;
    // The checksum that ends the file as loaded or last saved; empty for none.
    mutable std::string fileChecksum_;
    mutable std::mutex mutex_;
    std::map<MediaFileKey, Entry> entries_;
};

// Where the store lives: "zentrel/media-fingerprints" in the user's cache folder.
[[nodiscard]] std::filesystem::path mediaFingerprintStorePath(const std::filesystem::path& cacheFolder);
// The same in the cache folder of the table's layout: the XDG cache folder,
// or a Mac's Library/Caches.
[[nodiscard]] std::filesystem::path mediaFingerprintStorePath(const platform::HostTable& table);

void saveMediaFingerprintStore(const MediaFingerprintStore& store, const std::filesystem::path& path);
// Removes the stored fingerprints; never through a link. False when a store stays.
bool removeMediaFingerprintStore(const std::filesystem::path& path);

// Loads the store at `path` before `scan(store)` and saves it after; a store
// that cannot be saved is warned about, and the scan's result stands.
template <class Scan>
auto withMediaFingerprintStore(const std::filesystem::path& path, Scan scan) {
    auto store = MediaFingerprintStore::load(path);
    auto result = scan(store);
    saveMediaFingerprintStore(store, path);
    return result;
}

}  // namespace zentrel::scanners
