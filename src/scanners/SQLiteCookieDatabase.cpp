#include "scanners/SQLiteCookieDatabase.hpp"

#include "scanners/PrivacySweepError.hpp"
#include "scanners/SQLiteDatabase.hpp"
#include "scanners/SQLiteStatement.hpp"

#include <sqlite3.h>

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
        const std::string_view host = std::string_view(domain).starts_with('.') ? std::string_view(domain).substr(1)
                                                                                : std::string_view(domain);
        if (host.empty()) continue;
        SQLiteStatement statement(database, layout_.deleteHosts);
        if (!statement.isPrepared()) throw failure(database, statement.prepareResult(), path);
        const std::string escaped = escapedForLike(host);
        if (int result = statement.bindText(1, escaped); result != SQLITE_OK) throw failure(database, result, path);
        if (int result = statement.bindText(2, "%." + escaped); result != SQLITE_OK) {
            throw failure(database, result, path);
        }
        if (int result = statement.step(); result != SQLITE_DONE) throw failure(database, result, path);
        total += database.changes();
    }
    if (int result = database.execute("COMMIT"); result != SQLITE_OK) throw failure(database, result, path);
    return total;
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
