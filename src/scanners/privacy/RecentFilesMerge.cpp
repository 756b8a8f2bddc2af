#include "scanners/privacy/RecentFilesMerge.hpp"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace zentrel::scanners {

namespace {

struct FreeDocument {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
struct FreeContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
struct FreeText {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using Document = std::unique_ptr<xmlDoc, FreeDocument>;

// No network, no external DTD or entity; entities stay references. The
// library's own limits on depth and sizes apply.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
// Between two entries, as the desktop writes the list.
constexpr const char* kEntrySpacing = "\n  ";

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// Whether a reference to a declared entity stands anywhere in the tree. The
// desktop reads no such list, and a copy of it would not read again where
// the entity is not declared.
bool holdsEntityReferences(const xmlNode* node) {
    for (; node; node = node->next) {
        if (node->type == XML_ENTITY_REF_NODE) return true;
        if (node->type != XML_ELEMENT_NODE) continue;
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            if (holdsEntityReferences(attribute->children)) return true;
        }
        if (holdsEntityReferences(node->children)) return true;
    }
    return false;
}

// A parsed list, or why the text is none.
struct ParsedList {
    Document document;
    std::string problem;  // "not well-formed XML (line 3)", "not a recent-files list"
};

ParsedList parseList(std::string_view text) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return {nullptr, "too large to read"};
    const std::unique_ptr<xmlParserCtxt, FreeContext> context(xmlNewParserCtxt());
    if (!context) throw std::bad_alloc();
    Document document(xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                        kParseOptions));
    if (!document || !context->wellFormed) {
        const xmlError* error = xmlCtxtGetLastError(context.get());
        const int line = error ? error->line : 0;
        return {nullptr, "not well-formed XML" + (line > 0 ? " (line " + std::to_string(line) + ")" : std::string())};
    }
    const xmlNode* root = xmlDocGetRootElement(document.get());
    if (!root || root->ns || !xmlStrEqual(root->name, xml("xbel"))) return {nullptr, "not a recent-files list"};
    if (holdsEntityReferences(root)) return {nullptr, "not a list the desktop can read (it uses entities)"};
    return {std::move(document), {}};
}

bool isBookmark(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE && !node->ns && xmlStrEqual(node->name, xml("bookmark"));
}

// The list's own bookmarks: the root's children.
std::vector<xmlNode*> bookmarksOf(xmlDoc* document) {
    std::vector<xmlNode*> bookmarks;
    for (xmlNode* child = xmlDocGetRootElement(document)->children; child; child = child->next) {
        if (isBookmark(child)) bookmarks.push_back(child);
    }
    return bookmarks;
}

std::optional<std::string> hrefOf(xmlNode* bookmark) {
    const std::unique_ptr<xmlChar, FreeText> href(xmlGetNoNsProp(bookmark, xml("href")));
    if (!href) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(href.get()));
}

std::set<std::string> hrefsOf(xmlDoc* document) {
    std::set<std::string> hrefs;
    for (xmlNode* bookmark : bookmarksOf(document)) {
        if (auto href = hrefOf(bookmark)) hrefs.insert(std::move(*href));
    }
    return hrefs;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// The saved list's namespaces, declared on the current list's root where it
// lacks them, so that the entries brought over share one declaration.
void declareNamespaces(xmlNode* savedRoot, xmlDoc* document, xmlNode* root) {
    for (const xmlNs* ns = savedRoot->nsDef; ns; ns = ns->next) {
        if (!ns->prefix || !ns->href || xmlSearchNsByHref(document, root, ns->href)) continue;
        if (!xmlSearchNs(document, root, ns->prefix)) (void)xmlNewNs(root, ns->href, ns->prefix);
    }
}

// Puts `entry` in front of the list's first bookmark, or at its end. (The
// library merges a text node added next to another text node into it.)
void insertEntry(xmlDoc* document, xmlNode* root, xmlNode* firstBookmark, xmlNode* entry) {
    xmlNode* spacing = xmlNewDocText(document, xml(kEntrySpacing));
    if (!spacing) throw std::bad_alloc();
    if (firstBookmark) {
        xmlAddPrevSibling(firstBookmark, entry);
        xmlAddPrevSibling(firstBookmark, spacing);
        return;
    }
    // The root's closing line stays last.
    xmlNode* last = xmlGetLastChild(root);
    if (last && xmlIsBlankNode(last)) {
        xmlAddPrevSibling(last, entry);
        xmlAddPrevSibling(entry, spacing);
    } else {
        xmlAddChild(root, spacing);
        xmlAddChild(root, entry);
        if (xmlNode* closing = xmlNewDocText(document, xml("\n"))) xmlAddChild(root, closing);
    }
}

std::string serialized(xmlDoc* document) {
    xmlChar* memory = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document, &memory, &size, "UTF-8");
    if (!memory) throw std::bad_alloc();
    const std::unique_ptr<xmlChar, FreeText> owned(memory);
    return std::string(reinterpret_cast<const char*>(memory), static_cast<std::size_t>(size));
}

RecentFilesMerge refused(std::string reason) { return {{}, std::move(reason)}; }

}  // namespace

RecentFilesMerge mergeRecentFiles(std::string_view saved, std::string_view current) {
    auto savedList = parseList(saved);
    auto currentList = parseList(current);
    const bool currentHoldsNothing = currentList.document ? bookmarksOf(currentList.document.get()).empty() : isBlank(current);
    if (!savedList.document) {
        if (currentHoldsNothing) return {std::string(saved), std::nullopt};
        return refused("its backup is " + savedList.problem + ", and putting it back would replace the list written since.");
    }
    const auto savedBookmarks = bookmarksOf(savedList.document.get());
    if (!currentList.document) {
        if (isBlank(current)) return {std::string(saved), std::nullopt};
        if (savedBookmarks.empty()) return {std::string(current), std::nullopt};
        return refused("the list there now is " + currentList.problem +
                       ", so its saved entries cannot be added to it; it was left as it is.");
    }

    xmlDoc* document = currentList.document.get();
    xmlNode* root = xmlDocGetRootElement(document);
    const auto currentBookmarks = bookmarksOf(document);
    xmlNode* firstBookmark = currentBookmarks.empty() ? nullptr : currentBookmarks.front();
    auto listed = hrefsOf(document);
    bool added = false;
    for (xmlNode* bookmark : savedBookmarks) {
        // An entry without an href would make the desktop reject the whole list.
        auto href = hrefOf(bookmark);
        if (!href || !listed.insert(std::move(*href)).second) continue;
        if (!added) declareNamespaces(xmlDocGetRootElement(savedList.document.get()), document, root);
        xmlNode* copy = nullptr;
        if (xmlDOMWrapCloneNode(nullptr, savedList.document.get(), bookmark, &copy, document, root, 1, 0) != 0 || !copy) {
            throw std::bad_alloc();
        }
        insertEntry(document, root, firstBookmark, copy);
        added = true;
    }
    if (!added) return {std::string(current), std::nullopt};
    return {serialized(document), std::nullopt};
}

std::optional<std::set<std::string>> recentFileHrefs(std::string_view list) {
    const auto parsed = parseList(list);
    if (!parsed.document) return std::nullopt;
    return hrefsOf(parsed.document.get());
}

}  // namespace zentrel::scanners
