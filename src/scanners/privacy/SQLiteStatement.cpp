#include "scanners/privacy/SQLiteStatement.hpp"

#include "scanners/privacy/SQLiteDatabase.hpp"

#include <sqlite3.h>

namespace zentrel::scanners {

SQLiteStatement::SQLiteStatement(SQLiteDatabase& database, const char* sql) {
    prepareResult_ = sqlite3_prepare_v2(database.handle(), sql, -1, &statement_, nullptr);
    if (prepareResult_ != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    } else if (statement_ == nullptr) {
        prepareResult_ = SQLITE_ERROR;  // the text held no statement
    }
}

SQLiteStatement::~SQLiteStatement() { sqlite3_finalize(statement_); }

int SQLiteStatement::bindText(int index, std::string_view text) {
    return sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int SQLiteStatement::step() { return sqlite3_step(statement_); }

std::optional<std::string> SQLiteStatement::columnText(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    if (text == nullptr) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

}  // namespace zentrel::scanners
