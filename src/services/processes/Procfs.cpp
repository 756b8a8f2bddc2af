#include "services/processes/Procfs.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

#include <dirent.h>

namespace zentrel::services::procfs {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> pidOfName(const char* name) {
    std::int32_t pid = 0;
    for (const char* c = name; *c != '\0'; ++c) {
        if (!std::isdigit(static_cast<unsigned char>(*c)) || pid > 100'000'000) return std::nullopt;
        pid = pid * 10 + (*c - '0');
    }
    return pid > 0 ? std::optional(pid) : std::nullopt;
}

}  // namespace

std::map<std::string, std::int64_t, std::less<>> parseMeminfo(std::string_view text) {
    std::map<std::string, std::int64_t, std::less<>> values;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view rest = trimmed(line.substr(colon + 1));
        const auto number = parseUnsigned(rest);
        if (!number) continue;
        // Sizes are in kB; a few lines (HugePages_*) are plain counts.
        const bool inKilobytes = rest.ends_with("kB");
        values[std::string(line.substr(0, colon))] =
            static_cast<std::int64_t>(*number) * (inKilobytes ? 1024 : 1);
    }
    return values;
}

std::vector<std::string_view> statFieldsAfterName(std::string_view text) {
    std::vector<std::string_view> fields;
    const auto close = text.rfind(')');
    if (close == std::string_view::npos) return fields;
    text.remove_prefix(close + 1);
    while (!text.empty()) {
        const auto start = text.find_first_not_of(" \n");
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const auto end = text.find_first_of(" \n");
        fields.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
    return fields;
}

std::optional<std::uint64_t> startTime(std::string_view statText) {
    const auto fields = statFieldsAfterName(statText);
    if (fields.size() <= kStartTimeField) return std::nullopt;
    return parseUnsigned(fields[kStartTimeField]);
}

std::optional<std::uint64_t> parseUnsigned(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

std::vector<std::int32_t> listProcessIds(const std::string& procRoot) {
    std::vector<std::int32_t> pids;
    DIR* dir = ::opendir(procRoot.c_str());
    if (dir == nullptr) return pids;
    while (const dirent* entry = ::readdir(dir)) {
        if (auto pid = pidOfName(entry->d_name)) pids.push_back(*pid);
    }
    ::closedir(dir);
    std::sort(pids.begin(), pids.end());
    return pids;
}

}  // namespace zentrel::services::procfs
