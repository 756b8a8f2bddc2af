#include "platform/settings/JsonFileDefaultsStore.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/text/Base64.hpp"
#include "platform/text/BoundedJson.hpp"
#include "platform/text/Warnings.hpp"

#include <nlohmann/json.hpp>

namespace zentrel::platform {

namespace {

using nlohmann::json;

// Settings are a flat object of small values; far deeper nesting is damage.
json parseSettings(const std::string& text) { return parseBoundedJson(text); }

// Where a write of `file` lands: through every link to the file it names, so
// a linked settings file stays a link.
std::filesystem::path linkTarget(std::filesystem::path file) {
    constexpr int kMostLinks = 40;
    std::error_code ec;
    for (int hop = 0; hop < kMostLinks && std::filesystem::is_symlink(file, ec); ++hop) {
        auto next = std::filesystem::read_symlink(file, ec);
        if (ec) break;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    return file;
}

std::optional<DefaultsValue> decodeValue(const json& value) {
    switch (value.type()) {
    case json::value_t::boolean:
        return value.get<bool>();
    case json::value_t::number_integer:
        return value.get<std::int64_t>();
    case json::value_t::number_unsigned: {
        auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(INT64_MAX)) return static_cast<double>(u);
        return static_cast<std::int64_t>(u);
    }
    case json::value_t::number_float:
        return value.get<double>();
    case json::value_t::string:
        return value.get<std::string>();
    case json::value_t::object:
        if (value.size() == 1 && value.contains("data") && value["data"].is_string()) {
            if (auto bytes = base64Decode(value["data"].get<std::string>())) return *bytes;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

json encodeValue(const DefaultsValue& value) {
    return std::visit(
        [](const auto& v) -> json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Bytes>) {
                return json{{"data", base64Encode(v)}};
            } else {
                return json(v);
            }
        },
        value);
}

}  // namespace

JsonFileDefaultsStore::JsonFileDefaultsStore(std::filesystem::path file) : file_(std::move(file)) { load(); }

void JsonFileDefaultsStore::load() {
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec)) return;
    auto text = readWholeFile(file_);
    if (!text) {
        corrupt_ = true;
        warn("Could not read the settings file " + file_.string() + "; starting with empty settings");
        return;
    }
    json root = parseSettings(*text);
    if (root.is_discarded() || !root.is_object()) {
        corrupt_ = true;
        warn("The settings file " + file_.string() + " is damaged; starting with empty settings");
        return;
    }
    for (auto& [key, stored] : root.items()) {
        if (auto decoded = decodeValue(stored)) {
            values_.emplace(key, std::move(*decoded));
        } else {
            unknownEntries_.emplace(key, stored.dump());
        }
    }
}

void JsonFileDefaultsStore::save() {
    const auto target = linkTarget(file_);
    if (corrupt_ && !corruptFileMoved_) {
        std::error_code ec;
        auto aside = target;
        aside += ".corrupt";
        std::filesystem::rename(target, aside, ec);
        if (ec && std::filesystem::exists(target)) {
            writeError_ = "Could not move the damaged settings file " + file_.string() + " aside: " + ec.message();
            warn(*writeError_ + "; settings are not saved");
            return;
        }
        corruptFileMoved_ = true;
    }
    json root = json::object();
    for (const auto& [key, text] : unknownEntries_) root[key] = json::parse(text);
    for (const auto& [key, value] : values_) root[key] = encodeValue(value);
    writeError_ = writeFileAtomically(target, root.dump(2) + "\n");
    if (writeError_) warn(*writeError_);
}

std::optional<std::string> JsonFileDefaultsStore::lastWriteError() const {
    std::lock_guard lock(mutex_);
    return writeError_;
}

std::optional<DefaultsValue> JsonFileDefaultsStore::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void JsonFileDefaultsStore::set(std::string_view key, DefaultsValue value) {
    std::lock_guard lock(mutex_);
    auto found = values_.find(key);
    if (found != values_.end() && found->second == value) return;
    values_.insert_or_assign(std::string(key), std::move(value));
    unknownEntries_.erase(std::string(key));
    save();
}

void JsonFileDefaultsStore::remove(std::string_view key) {
    std::lock_guard lock(mutex_);
    bool removed = values_.erase(std::string(key)) + unknownEntries_.erase(std::string(key)) > 0;
    if (removed) save();
}

std::vector<std::string> JsonFileDefaultsStore::keys() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& [key, value] : values_) result.push_back(key);
    return result;
}

}  // namespace zentrel::platform
