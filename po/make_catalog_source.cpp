// Writes the C++ source of the built-in catalogs from translators' .po files:
//   make_catalog_source OUT.cpp LANGUAGE.po...
// Fuzzy, obsolete and untranslated messages are left out, so the lookup
// falls back to English, then to the key. Stops on a file libgettextpo cannot read.

#include <gettext-po.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool failed = false;

void reportError(int severity, po_message_t, const char* filename, size_t lineno, size_t, int, const char* text) {
    std::cerr << filename << ":" << lineno << ": " << text << "\n";
    if (severity != PO_SEVERITY_WARNING) failed = true;
}

void reportError2(int severity, po_message_t, const char* filename1, size_t lineno1, size_t, int, const char* text1,
                  po_message_t, const char*, size_t, size_t, int, const char* text2) {
    std::cerr << filename1 << ":" << lineno1 << ": " << text1 << " " << text2 << "\n";
    if (severity != PO_SEVERITY_WARNING) failed = true;
}

// A C++ string literal of `text`: every byte outside plain ASCII as an octal escape.
std::string literal(const char* text) {
    std::string out = "\"";
    for (const unsigned char c : std::string(text)) {
        if (c == '"' || c == '\\' || c == '?' || c < 0x20 || c >= 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\%03o", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string headerField(po_file_t file, const char* name) {
    const char* header = po_file_domain_header(file, nullptr);
    if (header == nullptr) return {};
    char* value = po_header_field(header, name);
    if (value == nullptr) return {};
    std::string result(value);
    std::free(value);
    return result;
}

// "nplurals=2; plural=(n != 1);" gives "(n != 1)".
std::string pluralExpression(const std::string& pluralForms) {
    const auto at = pluralForms.find("plural=");
    if (at == std::string::npos) return {};
    auto end = pluralForms.find(';', at);
    return pluralForms.substr(at + 7, end == std::string::npos ? std::string::npos : end - at - 7);
}

bool writeCatalog(const char* path, std::size_t index, std::ostream& out, std::string& catalogs) {
    const po_xerror_handler handler{reportError, reportError2};
    po_file_t file = po_file_read(path, &handler);
    if (file == nullptr || failed) return false;
    const auto language = headerField(file, "Language");
    const auto plural = pluralExpression(headerField(file, "Plural-Forms"));
    if (language.empty() || plural.empty()) {
        std::cerr << path << ": the header needs Language and Plural-Forms\n";
        return false;
    }
    const auto name = "catalog" + std::to_string(index);
    out << "std::size_t " << name << "Plural([[maybe_unused]] unsigned long long n) { return static_cast<std::size_t>("
        << plural << "); }\n\n";
    std::ostringstream entries;
    std::size_t count = 0;
    po_message_iterator_t messages = po_message_iterator(file, nullptr);
    while (po_message_t message = po_next_message(messages)) {
        const std::string key = po_message_msgid(message);
        if (key.empty() || po_message_is_obsolete(message) || po_message_is_fuzzy(message)) continue;
        std::vector<std::string> forms;
        if (po_message_msgid_plural(message) == nullptr) {
            forms.push_back(po_message_msgstr(message));
        } else {
            for (int i = 0; const char* form = po_message_msgstr_plural(message, i); ++i) forms.push_back(form);
        }
        if (forms.size() > 4) {
            std::cerr << path << ": \"" << key << "\" has more than four plural forms\n";
            return false;
        }
        bool translated = !forms.empty();
        for (const auto& form : forms) translated = translated && !form.empty();
        if (!translated) continue;
        entries << "    CatalogMessage{" << literal(key.c_str()) << ", {";
        for (const auto& form : forms) entries << literal(form.c_str()) << ", ";
        entries << "}},\n";
        ++count;
    }
    po_message_iterator_free(messages);
    po_file_free(file);
    out << "constexpr std::array<CatalogMessage, " << count << "> " << name << "Messages{\n" << entries.str() << "};\n\n";
    catalogs += "    {" + literal(language.c_str()) + ", " + name + "Plural, " + name + "Messages},\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_catalog_source OUT.cpp LANGUAGE.po...\n";
        return 2;
    }
    std::ostringstream out;
    out << "// Made by make_catalog_source from the .po files; edit those instead.\n"
           "#include \"platform/text/BuiltInCatalogs.hpp\"\n\n#include <array>\n\nnamespace zentrel::platform {\nnamespace {\n\n";
    std::string catalogs;
    for (int i = 2; i < argc; ++i) {
        if (!writeCatalog(argv[i], static_cast<std::size_t>(i - 2), out, catalogs)) return 1;
    }
    out << "constexpr Catalog kCatalogs[] = {\n" << catalogs << "};\n\n}  // namespace\n\n"
        << "std::span<const Catalog> builtInCatalogs() { return kCatalogs; }\n\n}  // namespace zentrel::platform\n";
    std::ofstream file(argv[1]);
    file << out.str();
    return file ? 0 : 1;
}
