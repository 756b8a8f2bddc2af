#include "doubles/CookieStoreFixtures.hpp"

#include <sqlite3.h>

#include <stdexcept>

namespace zentrel::testing {

namespace {

void appendLittleEndian(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

void appendBigEndian(std::string& out, std::size_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void appendField(std::string& out, const std::string& field) {
    appendLittleEndian(out, static_cast<std::uint32_t>(field.size()));
    out += field;
}

// An open fixture database; every failure throws, so a broken fixture stops the test.
class FixtureDatabase {
public:
    explicit FixtureDatabase(const std::filesystem::path& path, bool create) {
        if (create) std::filesystem::create_directories(path.parent_path());
        const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            throw std::runtime_error("cannot open fixture database " + path.string());
        }
    }
    ~FixtureDatabase() { sqlite3_close(db_); }
    FixtureDatabase(const FixtureDatabase&) = delete;
    FixtureDatabase& operator=(const FixtureDatabase&) = delete;

    void execute(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db_));
    }

    void insertHosts(const char* sql, const std::vector<std::string>& hosts) {
        execute("BEGIN");
        int row = 0;
        for (const auto& host : hosts) {
            sqlite3_stmt* statement = prepare(sql);
            const std::string name = "cookie" + std::to_string(row++);
            sqlite3_bind_text(statement, 1, host.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            const int result = sqlite3_step(statement);
            sqlite3_finalize(statement);
            if (result != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
        }
        execute("COMMIT");
    }

    std::vector<std::string> column(const char* sql) {
        sqlite3_stmt* statement = prepare(sql);
        std::vector<std::string> values;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, 0);
            values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        sqlite3_finalize(statement);
        return values;
    }

private:
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        return statement;
    }

    sqlite3* db_ = nullptr;
};

}  // namespace

std::string binaryCookieRecord(const BinaryCookie& cookie) {
    std::string record(8, '\x11');
    appendLittleEndian(record, cookie.flags);
    record.append(12, '\x22');
    appendField(record, cookie.name);
    appendField(record, cookie.value);
    appendField(record, "/");
    appendField(record, "1767225600");
    appendField(record, cookie.host);
    return record;
}

std::string binaryCookiePage(const std::vector<std::string>& records, const std::string& header) {
    std::string page = header;
    appendBigEndian(page, records.size());
    for (const auto& record : records) {
        appendBigEndian(page, record.size());
        page += record;
    }
    return page;
}

std::string binaryCookiePage(const std::vector<BinaryCookie>& cookies) {
    std::vector<std::string> records;
    for (const auto& cookie : cookies) records.push_back(binaryCookieRecord(cookie));
    return binaryCookiePage(records);
}

std::string binaryCookieFile(const std::vector<std::string>& pages) {
    std::string file = "cook";
    appendBigEndian(file, pages.size());
    for (const auto& page : pages) appendBigEndian(file, page.size());
    for (const auto& page : pages) file += page;
    return file;
}

void writeChromiumCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    FixtureDatabase db(path, true);
    db.execute(
        "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
        "INSERT INTO meta VALUES('version', '21');"
        "CREATE TABLE cookies(creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL, top_frame_site_key TEXT NOT "
        "NULL DEFAULT '', name TEXT NOT NULL, value TEXT NOT NULL DEFAULT '', encrypted_value BLOB NOT NULL DEFAULT "
        "x'', path TEXT NOT NULL DEFAULT '/', expires_utc INTEGER NOT NULL DEFAULT 0, is_secure INTEGER NOT NULL "
        "DEFAULT 1, is_httponly INTEGER NOT NULL DEFAULT 0, last_access_utc INTEGER NOT NULL DEFAULT 0, has_expires "
        "INTEGER NOT NULL DEFAULT 1, is_persistent INTEGER NOT NULL DEFAULT 1, priority INTEGER NOT NULL DEFAULT 1, "
        "samesite INTEGER NOT NULL DEFAULT -1, source_scheme INTEGER NOT NULL DEFAULT 2, source_port INTEGER NOT "
        "NULL DEFAULT 443, last_update_utc INTEGER NOT NULL DEFAULT 0);"
        "CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key, name, path);");
    db.insertHosts("INSERT INTO cookies(creation_utc, host_key, name) VALUES(13350000000000000, ?1, ?2)", hosts);
}

void writeFirefoxCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    FixtureDatabase db(path, true);
    db.execute(
        "PRAGMA journal_mode=WAL;"
        "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, "
        "value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure "
        "INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, rawSameSite "
        "INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0, CONSTRAINT moz_uniqueid UNIQUE(name, host, path, "
        "originAttributes));");
    db.insertHosts("INSERT INTO moz_cookies(host, name, value, path) VALUES(?1, ?2, '1', '/')", hosts);
}

std::vector<std::string> chromiumCookieHosts(const std::filesystem::path& path) {
    FixtureDatabase db(path, false);
    return db.column("SELECT host_key FROM cookies ORDER BY rowid");
}

std::vector<std::string> firefoxCookieHosts(const std::filesystem::path& path) {
    FixtureDatabase db(path, false);
    return db.column("SELECT host FROM moz_cookies ORDER BY rowid");
}

}  // namespace zentrel::testing
