#include "scanners/SQLiteDatabase.hpp"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace zentrel::scanners {

namespace {

// Whether the database is in write-ahead-log mode (format versions 2 in its
// header) while no log exists, that is while no program has it open. A
// read-only connection would leave an empty log and index file behind there.
bool isClosedLogModeDatabase(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char header[20] = {};
    if (!in.read(header, sizeof header)) return false;
    std::error_code ec;
    return header[18] == 2 && header[19] == 2 && !std::filesystem::exists(path + "-wal", ec);
}

// A "file:" URI for the path that reads it as an unchanging file.
std::string immutableUri(const std::string& path) {
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
    return uri + "?immutable=1";
}

}  // namespace

SQLiteDatabase::SQLiteDatabase(const std::string& path, Access access, std::chrono::milliseconds busyTimeout) {
    int flags = (access == Access::readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOFOLLOW;
    std::string name = path;
    if (access == Access::readOnly && isClosedLogModeDatabase(path)) {
        name = immutableUri(path);
        flags |= SQLITE_OPEN_URI;
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

SQLiteDatabase::~SQLiteDatabase() { sqlite3_close(handle_); }

int SQLiteDatabase::execute(const char* sql) { return sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr); }

std::int64_t SQLiteDatabase::changes() const { return sqlite3_changes(handle_); }

}  // namespace zentrel::scanners
