#include "engine/PropertyListFile.hpp"

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace zentrel::engine {

namespace {

constexpr std::size_t kLargestPropertyList = 16 * 1024 * 1024;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistDeleter>;

// The text of a string node, read with its length: the library's copying
// reader aborts on a text that holds a NUL.
std::optional<std::string> textOf(plist_t node) {
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) return std::nullopt;
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (text == nullptr) return std::nullopt;
    std::string value(text, length);
    if (value.find('\0') != std::string::npos) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::map<std::string, std::string>> readPropertyListStrings(
    const platform::FileSystem& fileSystem, const std::string& path, std::initializer_list<std::string_view> keys) {
    auto data = fileSystem.readFile(path, kLargestPropertyList);
    if (!data || data->empty()) return std::nullopt;
    if (data->size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    plist_t parsed = nullptr;
    plist_from_memory(data->data(), static_cast<uint32_t>(data->size()), &parsed);
    PlistPointer root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;

    // Looked up by name: walking the keys would copy them, and a key can hold a NUL too.
    std::map<std::string, std::string> strings;
    for (const auto key : keys) {
        auto text = textOf(plist_dict_get_item(root.get(), std::string(key).c_str()));
        if (text) strings.emplace(key, std::move(*text));
    }
    return strings;
}

}  // namespace zentrel::engine
