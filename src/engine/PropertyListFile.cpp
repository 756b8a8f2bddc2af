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

}  // namespace

std::optional<std::map<std::string, std::string>> readPropertyListStrings(const platform::FileSystem& fileSystem,
                                                                          const std::string& path) {
    auto data = fileSystem.readFile(path, kLargestPropertyList);
    if (!data || data->empty()) return std::nullopt;
    if (data->size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    plist_t parsed = nullptr;
    plist_from_memory(data->data(), static_cast<uint32_t>(data->size()), &parsed);
    PlistPointer root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;

    std::map<std::string, std::string> strings;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root.get(), &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root.get(), iterator, &key, &value);
        if (key == nullptr) break;
        if (value != nullptr && plist_get_node_type(value) == PLIST_STRING) {
            char* text = nullptr;
            plist_get_string_val(value, &text);
            if (text != nullptr) strings.emplace(key, text);
            std::free(text);
        }
        std::free(key);
    }
    std::free(iterator);
    return strings;
}

}  // namespace zentrel::engine
