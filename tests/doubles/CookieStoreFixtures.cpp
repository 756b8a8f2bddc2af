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
    enum class Open { create, readWrite, readOnly };

    FixtureDatabase(const std::filesystem::path& path, Open open) {
        if (open == Open::create) std::filesystem::create_directories(path.parent_path());
        const int flags = open == Open::create      ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                          : open == Open::readWrite ? SQLITE_OPEN_READWRITE
                                                    : SQLITE_OPEN_READONLY;
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            throw std::runtime_error("cannot open fixture database " + path.string());
        }
    }
    ~FixtureDatabase() { sqlite3_close(db_); }
    FixtureDatabase(const FixtureDatabase&) = delete;
    FixtureDatabase& operator=(const FixtureDatabase&) = delete;

    void execute(const std::string& sql) {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
    }

    // One row per host; names go on from the rows already there, so that
    // every row is a cookie of its own.
    void insertHosts(const char* sql, const std::vector<std::string>& hosts, const char* table) {
        int row = std::stoi(column(std::string("SELECT count(*) FROM ") + table).at(0));
        execute("BEGIN");
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

    std::vector<std::string> column(const std::string& sql) {
        sqlite3_stmt* statement = prepare(sql.c_str());
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

constexpr const char* kChromiumSchema =
    "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
    "INSERT INTO meta VALUES('mmap_status', '-1');"
    "INSERT INTO meta VALUES('version', '24');"
    "INSERT INTO meta VALUES('last_compatible_version', '24');"
    "CREATE TABLE cookies(creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL, top_frame_site_key TEXT NOT NULL, "
    "name TEXT NOT NULL, value TEXT NOT NULL, encrypted_value BLOB NOT NULL, path TEXT NOT NULL, expires_utc "
    "INTEGER NOT NULL, is_secure INTEGER NOT NULL, is_httponly INTEGER NOT NULL, last_access_utc INTEGER NOT NULL, "
    "has_expires INTEGER NOT NULL, is_persistent INTEGER NOT NULL, priority INTEGER NOT NULL, samesite INTEGER NOT "
    "NULL, source_scheme INTEGER NOT NULL, source_port INTEGER NOT NULL, last_update_utc INTEGER NOT NULL, "
    "source_type INTEGER NOT NULL, has_cross_site_ancestor INTEGER NOT NULL);"
    "CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key, has_cross_site_ancestor, "
    "name, path, source_scheme, source_port);";
constexpr const char* kChromiumInsert =
    "INSERT INTO cookies VALUES(13350000000000000, ?1, '', ?2, '', x'7631300102030405', '/', 13390000000000000, 1, "
    "0, 13350000000000000, 1, 1, 1, -1, 2, 443, 13350000000000000, 1, 0)";

constexpr const char* kFirefoxSchema =
    "CREATE TABLE moz_cookies(id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, value "
    "TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, "
    "isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT "
    "0, isPartitionedAttributeSet INTEGER DEFAULT 0, updateTime INTEGER, CONSTRAINT moz_uniqueid UNIQUE (name, "
    "host, path, originAttributes));"
    "PRAGMA user_version = 16;";
constexpr const char* kFirefoxInsert =
    "INSERT INTO moz_cookies(originAttributes, name, value, host, path, expiry, lastAccessed, creationTime, "
    "isSecure, isHttpOnly, inBrowserElement, sameSite, schemeMap, isPartitionedAttributeSet, updateTime) "
    "VALUES('', ?2, '1', ?1, '/', 1790000000000, 1750000000000000, 1750000000000000, 1, 0, 0, 0, 2, 0, "
    "1750000000000000)";

const char* insertOf(CookieSchema schema) { return schema == CookieSchema::chromium ? kChromiumInsert : kFirefoxInsert; }
const char* tableOf(CookieSchema schema) { return schema == CookieSchema::chromium ? "cookies" : "moz_cookies"; }

void copyOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

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

void writeCookieDatabase(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts,
                         JournalMode mode) {
    FixtureDatabase db(path, FixtureDatabase::Open::create);
    if (mode == JournalMode::writeAheadLog) db.execute("PRAGMA journal_mode=WAL");
    db.execute(schema == CookieSchema::chromium ? kChromiumSchema : kFirefoxSchema);
    db.insertHosts(insertOf(schema), hosts, tableOf(schema));
}

void addCookies(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    FixtureDatabase db(path, FixtureDatabase::Open::readWrite);
    db.insertHosts(insertOf(schema), hosts, tableOf(schema));
}

void addCookiesInLog(CookieSchema schema, const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    const std::filesystem::path log = path.string() + "-wal";
    const std::filesystem::path keptStore = path.string() + ".kept", keptLog = path.string() + ".kept-wal";
    {
        FixtureDatabase db(path, FixtureDatabase::Open::readWrite);
        db.execute("PRAGMA locking_mode=EXCLUSIVE");
        db.insertHosts(insertOf(schema), hosts, tableOf(schema));
        // Closing would move the rows into the store: keep both as they are now.
        copyOver(path, keptStore);
        copyOver(log, keptLog);
    }
    std::filesystem::rename(keptStore, path);
    std::filesystem::rename(keptLog, log);
}

std::vector<std::string> cookieHosts(CookieSchema schema, const std::filesystem::path& path) {
    FixtureDatabase db(path, FixtureDatabase::Open::readOnly);
    return db.column(std::string(schema == CookieSchema::chromium ? "SELECT host_key" : "SELECT host") + " FROM " +
                     tableOf(schema) + " ORDER BY rowid");
}

void writeChromiumCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    writeCookieDatabase(CookieSchema::chromium, path, hosts, JournalMode::rollback);
}

void writeFirefoxCookieDatabase(const std::filesystem::path& path, const std::vector<std::string>& hosts) {
    writeCookieDatabase(CookieSchema::firefox, path, hosts, JournalMode::writeAheadLog);
}

std::vector<std::string> chromiumCookieHosts(const std::filesystem::path& path) {
    return cookieHosts(CookieSchema::chromium, path);
}

std::vector<std::string> firefoxCookieHosts(const std::filesystem::path& path) {
    return cookieHosts(CookieSchema::firefox, path);
}

RunningBrowser::RunningBrowser(const std::filesystem::path& store) {
    if (sqlite3_open_v2(store.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db_, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error("cannot hold " + store.string());
    }
}

RunningBrowser::~RunningBrowser() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
}

}  // namespace zentrel::testing
