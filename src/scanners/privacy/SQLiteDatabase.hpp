#pragma once
// An open SQLite database, closed when it goes out of scope. It is never
// created where none exists and never opened through a symbolic link; a busy
// timeout lets a short lock held by another program pass.
//
// A read-only open changes nothing beside the database, not even by the
// index file ("-shm") the library makes for a log ("-wal"): a database whose
// log lies beside it without an index is read from a private copy of both.
// A database that another program holds locked (a running browser keeps its
// cookie store so) is not opened for reading at all: the open reports
// SQLITE_BUSY at once.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

namespace zentrel::scanners {

class SQLiteDatabase final {
public:
    enum class Access { readOnly, readWrite };

    SQLiteDatabase(const std::string& path, Access access, std::chrono::milliseconds busyTimeout);
    ~SQLiteDatabase();
    SQLiteDatabase(const SQLiteDatabase&) = delete;
    SQLiteDatabase& operator=(const SQLiteDatabase&) = delete;

    [[nodiscard]] bool isOpen() const { return handle_ != nullptr; }
    // The library's result code of the open.
    [[nodiscard]] int openResult() const { return openResult_; }
    [[nodiscard]] sqlite3* handle() const { return handle_; }

    // Runs a statement without parameters or rows (BEGIN, COMMIT, ROLLBACK);
    // returns the library's result code.
    [[nodiscard]] int execute(const char* sql);
    // Rows changed by the last finished INSERT, UPDATE or DELETE.
    [[nodiscard]] std::int64_t changes() const;

    // Whether another connection, of this program or another, holds a lock
    // on the database that keeps a reader out.
    [[nodiscard]] static bool isLockedAgainstReading(const std::string& path);
    // A "file:" URI naming the path, with `query` ("mode=ro") after it.
    [[nodiscard]] static std::string uri(const std::string& path, std::string_view query);

private:
    sqlite3* handle_ = nullptr;
    int openResult_ = 0;
    std::filesystem::path privateCopy_;  // the folder of a private copy, removed on close
};

}  // namespace zentrel::scanners
