#pragma once
// One prepared SQLite statement with bound parameters, finalized when it goes
// out of scope. Values always travel as bound parameters, never inside the
// statement text.

#include <optional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace zentrel::scanners {

class SQLiteDatabase;

class SQLiteStatement final {
public:
    SQLiteStatement(SQLiteDatabase& database, const char* sql);
    ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    [[nodiscard]] bool isPrepared() const { return statement_ != nullptr; }
    // The library's result code of the preparation.
    [[nodiscard]] int prepareResult() const { return prepareResult_; }

    // Binds a 1-based parameter to a copy of the text; returns the result code.
    [[nodiscard]] int bindText(int index, std::string_view text);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    [[nodiscard]] int step();
    // A column of the current row as text; nothing when it is NULL.
    [[nodiscard]] std::optional<std::string> columnText(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
    int prepareResult_ = 0;
};

}  // namespace zentrel::scanners
