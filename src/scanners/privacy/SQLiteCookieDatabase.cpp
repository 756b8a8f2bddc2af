#include "scanners/privacy/SQLiteCookieDatabase.hpp"

#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/SQLiteDatabase.hpp"
#include "scanners/privacy/SQLiteStatement.hpp"

#include <sqlite3.h>

#include <algorithm>

namespace zentrel::scanners {

namespace {

bool isBusy(int result) { return result == SQLITE_BUSY || result == SQLITE_LOCKED; }

// Undoes an open transaction and gives the error for `result`.
PrivacySweepError failure(SQLiteDatabase& database, int result, const std::string& path) {
    (void)database.execute("ROLLBACK");
    if (isBusy(result)) return PrivacySweepError::cookieStoreBusy(path);
    if (result == SQLITE_READONLY || result == SQLITE_CANTOPEN || result == SQLITE_PERM || result == SQLITE_IOERR) {
        return PrivacySweepError::cookieStoreOpenFailed(path);
    }
    return PrivacySweepError::cookieStoreDamaged(path);
}

// A name as a quoted SQL identifier.
std::string sqlIdentifier(std::string_view name) {
    std::string text = "\"";
    for (char c : name) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

// The columns of `table` in schema `schema`, leaving out a column that is the
// row's own number (a lone INTEGER PRIMARY KEY): the store numbers new rows itself.
std::vector<std::string> copiedColumns(SQLiteDatabase& database, const char* schema, const char* table) {
    SQLiteStatement info(database, ("PRAGMA " + std::string(schema) + ".table_info(" + table + ")").c_str());
    std::vector<std::string> columns;
    std::vector<std::pair<std::string, std::string>> keys;  // name and type of each key column
    while (info.isPrepared() && info.step() == SQLITE_ROW) {
        auto name = info.columnText(1).value_or("");
        if (info.columnText(5).value_or("0") != "0") keys.emplace_back(name, info.columnText(2).value_or(""));
        columns.push_back(std::move(name));
    }
    if (keys.size() == 1 && (keys[0].second == "INTEGER" || keys[0].second == "integer")) {
        std::erase(columns, keys[0].first);
    }
    return columns;
}

// The parameters that match a domain and its subdomains, as the removal matches them.
std::pair<std::string, std::string> hostPatterns(std::string_view domain) {
    const auto host = domain.starts_with('.') ? domain.substr(1) : domain;
    const auto escaped = SQLiteCookieDatabase::escapedForLike(host);
    return {escaped, "%." + escaped};
}

}  // namespace

CookieStoreHosts SQLiteCookieDatabase::readHosts(const std::string& path) const {
    using Status = CookieStoreHosts::Status;
    SQLiteDatabase database(path, SQLiteDatabase::Access::readOnly, busyTimeout_);
    if (!database.isOpen()) return {isBusy(database.openResult()) ? Status::busy : Status::unreadable, {}};
    SQLiteStatement statement(database, layout_.selectHosts);
    if (!statement.isPrepared()) {
        return {isBusy(statement.prepareResult()) ? Status::busy : Status::unreadable, {}};
    }
    CookieStoreHosts result{Status::read, {}};
    int step = SQLITE_ROW;
    while ((step = statement.step()) == SQLITE_ROW) {
        if (auto host = statement.columnText(0); host && !host->empty()) result.hosts.push_back(std::move(*host));
    }
    if (step != SQLITE_DONE) return {isBusy(step) ? Status::busy : Status::unreadable, {}};
    return result;
}

std::int64_t SQLiteCookieDatabase::deleteHosts(const std::string& path, const std::vector<std::string>& domains) const {
    if (domains.empty()) return 0;
    SQLiteDatabase database(path, SQLiteDatabase::Access::readWrite, busyTimeout_);
    if (!database.isOpen()) {
        if (isBusy(database.openResult())) throw PrivacySweepError::cookieStoreBusy(path);
        throw PrivacySweepError::cookieStoreOpenFailed(path);
    }
    if (int result = database.execute("BEGIN IMMEDIATE"); result != SQLITE_OK) throw failure(database, result, path);
    std::int64_t total = 0;
    for (const auto& domain : domains) {
        const auto [exact, subdomains] = hostPatterns(domain);
        if (exact.empty()) continue;
        SQLiteStatement statement(database, layout_.deleteHosts);
        if (!statement.isPrepared()) throw failure(database, statement.prepareResult(), path);
        if (int result = statement.bindText(1, exact); result != SQLITE_OK) throw failure(database, result, path);
        if (int result = statement.bindText(2, subdomains); result != SQLITE_OK) throw failure(database, result, path);
        if (int result = statement.step(); result != SQLITE_DONE) throw failure(database, result, path);
        total += database.changes();
    }
    if (int result = database.execute("COMMIT"); result != SQLITE_OK) throw failure(database, result, path);
    return total;
}

bool SQLiteCookieDatabase::isInUse(const std::string& path) const {
    SQLiteDatabase database(path, SQLiteDatabase::Access::readWrite, busyTimeout_);
    if (!database.isOpen()) return isBusy(database.openResult());
    const int result = database.execute("BEGIN IMMEDIATE");
    (void)database.execute("ROLLBACK");
    return isBusy(result);
}

std::int64_t SQLiteCookieDatabase::restoreHosts(const std::string& path, const std::string& backupPath,
                                                const std::vector<std::string>& domains,
                                                const std::vector<std::string>& excluded) const {
    SQLiteDatabase database(path, SQLiteDatabase::Access::readWrite, busyTimeout_);
    if (!database.isOpen()) {
        if (isBusy(database.openResult())) throw PrivacySweepError::cookieStoreBusy(path);
        throw PrivacySweepError::cookieStoreOpenFailed(path);
    }
    {
        SQLiteStatement attach(database, "ATTACH DATABASE ?1 AS saved");
        if (!attach.isPrepared() || attach.bindText(1, SQLiteDatabase::uri(backupPath, "mode=ro")) != SQLITE_OK) {
            throw PrivacySweepError::cookieStoreDamaged(backupPath);
        }
        if (int result = attach.step(); result != SQLITE_DONE) {
            if (isBusy(result)) throw PrivacySweepError::cookieStoreBusy(path);
            throw PrivacySweepError::cookieStoreDamaged(backupPath);
        }
    }
    if (int result = database.execute("BEGIN IMMEDIATE"); result != SQLITE_OK) throw failure(database, result, path);
    const auto current = copiedColumns(database, "main", layout_.table);
    const auto saved = copiedColumns(database, "saved", layout_.table);
    std::string columns;
    for (const auto& column : current) {
        if (std::find(saved.begin(), saved.end(), column) == saved.end()) continue;
        columns += (columns.empty() ? "" : ", ") + sqlIdentifier(column);
    }
    if (columns.empty()) throw failure(database, SQLITE_CORRUPT, path);
    const std::string host = sqlIdentifier(layout_.hostColumn);
    const auto matches = [&](int first) {
        return "(" + host + " LIKE ?" + std::to_string(first) + " ESCAPE '\\' OR " + host + " LIKE ?" +
               std::to_string(first + 1) + " ESCAPE '\\')";
    };
    std::vector<std::pair<std::string, std::string>> left;
    for (const auto& domain : excluded) {
        if (auto patterns = hostPatterns(domain); !patterns.first.empty()) left.push_back(std::move(patterns));
    }
    std::string insert = "INSERT OR IGNORE INTO main." + sqlIdentifier(layout_.table) + "(" + columns + ") SELECT " +
                         columns + " FROM saved." + sqlIdentifier(layout_.table) + " WHERE " + matches(1);
    for (std::size_t i = 0; i < left.size(); ++i) insert += " AND NOT " + matches(3 + 2 * static_cast<int>(i));
    std::int64_t total = 0;
    for (const auto& domain : domains) {
        const auto [exact, subdomains] = hostPatterns(domain);
        if (exact.empty()) continue;
        SQLiteStatement statement(database, insert.c_str());
        if (!statement.isPrepared()) throw failure(database, statement.prepareResult(), path);
        bool bound = statement.bindText(1, exact) == SQLITE_OK && statement.bindText(2, subdomains) == SQLITE_OK;
        for (std::size_t i = 0; bound && i < left.size(); ++i) {
            const int slot = 3 + 2 * static_cast<int>(i);
            bound = statement.bindText(slot, left[i].first) == SQLITE_OK &&
                    statement.bindText(slot + 1, left[i].second) == SQLITE_OK;
        }
        if (!bound) throw failure(database, SQLITE_ERROR, path);
        if (int result = statement.step(); result != SQLITE_DONE) throw failure(database, result, path);
        total += database.changes();
    }
    if (int result = database.execute("COMMIT"); result != SQLITE_OK) throw failure(database, result, path);
    return total;
}

std::optional<CookieTableLayout> SQLiteCookieDatabase::layoutOf(const std::string& path) {
    SQLiteDatabase database(path, SQLiteDatabase::Access::readOnly, std::chrono::milliseconds(0));
    if (!database.isOpen()) return std::nullopt;
    for (const auto& layout : {kChromiumCookieTable, kFirefoxCookieTable}) {
        SQLiteStatement statement(database, layout.selectHosts);
        if (statement.isPrepared()) return layout;
    }
    return std::nullopt;
}

std::string SQLiteCookieDatabase::escapedForLike(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

}  // namespace zentrel::scanners
