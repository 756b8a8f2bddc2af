#include "scanners/privacy/SQLiteDatabase.hpp"

#include <sqlite3.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zentrel::scanners {

namespace {

namespace fs = std::filesystem;

// Where the library places its locks in a database file, whatever its page size.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kSharedFirst = kPendingByte + 2;
constexpr off_t kSharedSize = 510;

enum class LogState { rollback, closedLog, logWithIndex, logWithoutIndex };

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// How the database keeps its changes: a rollback journal, or a write-ahead
// log (format versions 2 in its header) that is gone (no program has it
// open), that has its index beside it, or that lies there without one.
LogState logState(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char header[20] = {};
    if (!in.read(header, sizeof header) || header[18] != 2 || header[19] != 2) return LogState::rollback;
    if (!exists(path + "-wal")) return LogState::closedLog;
    return exists(path + "-shm") ? LogState::logWithIndex : LogState::logWithoutIndex;
}

// Whether a lock of another open file description conflicts with a read
// lock on `length` bytes from `start`; open-file-description locks see the
// library's locks of this very program too.
bool conflictsWithReadLock(int fd, off_t start, off_t length) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Copies the database and its log into a new private folder and returns the
// copy's path; empty when that fails.
fs::path copyWithLog(const std::string& path, fs::path& folder) {
    std::string pattern = (fs::temp_directory_path() / "zentrel-store-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    folder = pattern;
    const auto copy = folder / "store";
    std::error_code ec;
    fs::copy_file(path, copy, ec);
    if (!ec) fs::copy_file(path + "-wal", fs::path(copy.string() + "-wal"), ec);
    return ec ? fs::path() : copy;
}

}  // namespace

std::string SQLiteDatabase::uri(const std::string& path, std::string_view query) {
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7f) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?" + std::string(query);
}

bool SQLiteDatabase::isLockedAgainstReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    const bool locked = conflictsWithReadLock(fd, kPendingByte, 1) || conflictsWithReadLock(fd, kSharedFirst, kSharedSize);
    ::close(fd);
    return locked;
}

SQLiteDatabase::SQLiteDatabase(const std::string& path, Access access, std::chrono::milliseconds busyTimeout) {
    int flags = (access == Access::readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOFOLLOW |
                SQLITE_OPEN_URI;
    std::string name = path;
    if (access == Access::readOnly) {
        if (isLockedAgainstReading(path)) {
            openResult_ = SQLITE_BUSY;
            return;
        }
        switch (logState(path)) {
            case LogState::rollback:
            case LogState::logWithIndex:
                break;
            case LogState::closedLog:
                name = uri(path, "immutable=1");
                break;
            case LogState::logWithoutIndex:
                name = copyWithLog(path, privateCopy_).string();
                if (name.empty()) {
                    openResult_ = SQLITE_CANTOPEN;
                    return;
                }
                break;
        }
    }
    sqlite3* handle = nullptr;
    openResult_ = sqlite3_open_v2(name.c_str(), &handle, flags, nullptr);
    if (openResult_ != SQLITE_OK || handle == nullptr) {
        if (openResult_ == SQLITE_OK) openResult_ = SQLITE_CANTOPEN;
        sqlite3_close(handle);
        return;
    }
    handle_ = handle;
    sqlite3_busy_timeout(handle_, static_cast<int>(busyTimeout.count()));
}

SQLiteDatabase::~SQLiteDatabase() {
    sqlite3_close(handle_);
    if (!privateCopy_.empty()) {
        std::error_code ignored;
        fs::remove_all(privateCopy_, ignored);
    }
}

int SQLiteDatabase::execute(const char* sql) { return sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr); }

std::int64_t SQLiteDatabase::changes() const { return sqlite3_changes(handle_); }

}  // namespace zentrel::scanners
