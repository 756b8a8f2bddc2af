#pragma once
// The translation catalogs compiled into the programs. The build makes them
// from the translators' files (po/*.po): one catalog per language, each
// message under its key with its plural forms, and the language's rule
// that picks a form for a count.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace zentrel::platform {

struct CatalogMessage {
    std::string_view key;
    // The translation, or its plural forms in the catalog's order; unused forms are empty.
    std::array<std::string_view, 4> forms;
};

struct Catalog {
    std::string_view language;
    // The index of the plural form for a count (the catalog's Plural-Forms rule).
    std::size_t (*pluralForm)(unsigned long long count);
    std::span<const CatalogMessage> messages;
};

[[nodiscard]] std::span<const Catalog> builtInCatalogs();

}  // namespace zentrel::platform
