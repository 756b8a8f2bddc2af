#include "scanners/privacy/RecentFilesMerge.hpp"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zentrel::scanners {
namespace {

constexpr const char* kBookmarkNamespace = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr const char* kMimeNamespace = "http://www.freedesktop.org/standards/shared-mime-info";

// A list as the desktop writes it, with the given prefixes for its two namespaces.
std::string list(const std::vector<std::string>& entries, const std::string& bookmarkPrefix = "bookmark",
                 const std::string& mimePrefix = "mime") {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\"\n      xmlns:" + bookmarkPrefix +
                       "=\"" + kBookmarkNamespace + "\"\n      xmlns:" + mimePrefix + "=\"" + kMimeNamespace + "\"\n>";
    for (const auto& entry : entries) text += "\n  " + entry;
    return text + "\n</xbel>";
}

// One entry opened with `app`, its metadata in the namespaces of the given prefixes.
std::string entry(const std::string& href, const std::string& modified, const std::string& app,
                  const std::string& prefix = "bookmark", const std::string& mimePrefix = "mime") {
    return "<bookmark href=\"" + href + "\" added=\"2024-05-01T08:00:00.000000Z\" modified=\"" + modified +
           "\" visited=\"" + modified + "\">\n    <info>\n      <metadata owner=\"http://freedesktop.org\">\n" +
           "        <" + mimePrefix + ":mime-type type=\"text/plain\"/>\n        <" + prefix + ":applications>\n          <" + prefix +
           ":application name=\"" + app + "\" exec=\"&apos;" + app + " %u&apos;\" modified=\"" + modified +
           "\" count=\"1\"/>\n        </" + prefix + ":applications>\n      </metadata>\n    </info>\n  </bookmark>";
}

const xmlNode* child(const xmlNode* parent, const char* name, const char* ns = nullptr) {
    for (const xmlNode* node = parent ? parent->children : nullptr; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || !xmlStrEqual(node->name, BAD_CAST name)) continue;
        if (ns ? node->ns && xmlStrEqual(node->ns->href, BAD_CAST ns) : !node->ns) return node;
    }
    return nullptr;
}

std::string attribute(const xmlNode* node, const char* name) {
    if (!node) return "-";
    xmlChar* value = xmlGetNoNsProp(node, BAD_CAST name);
    std::string text = value ? reinterpret_cast<const char*>(value) : "-";
    xmlFree(value);
    return text;
}

// The entries of a list in order, read independently of the merge, as
// "href modified application mime-type"; the application and the type are
// found only in their own namespaces, whatever their prefixes.
std::vector<std::string> entries(const std::string& text) {
    const std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> document(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!document) return {"<not well-formed>"};
    std::vector<std::string> found;
    for (const xmlNode* node = xmlDocGetRootElement(document.get())->children; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || !xmlStrEqual(node->name, BAD_CAST "bookmark")) continue;
        const auto* metadata = child(child(node, "info"), "metadata");
        const auto* application = child(child(metadata, "applications", kBookmarkNamespace), "application", kBookmarkNamespace);
        found.push_back(attribute(node, "href") + " " + attribute(node, "modified") + " " + attribute(application, "name") +
                        " " + attribute(child(metadata, "mime-type", kMimeNamespace), "type"));
    }
    return found;
}

const std::string kOld = "2024-05-01T09:00:00.000000Z";
const std::string kNew = "2024-05-03T09:00:00.000000Z";

TEST(RecentFilesMergeTest, SavedEntriesComeBackByHrefAndThoseWrittenSinceStay) {
    struct Case {
        const char* name;
        std::string saved;
        std::string current;
        std::vector<std::string> merged;
    };
    const std::vector<Case> cases = {
        {"saved entries come back in front of the new ones",
         list({entry("file:///a", kOld, "gedit"), entry("file:///b", kOld, "gimp")}), list({entry("file:///c", kNew, "vlc")}),
         {"file:///a " + kOld + " gedit text/plain", "file:///b " + kOld + " gimp text/plain",
          "file:///c " + kNew + " vlc text/plain"}},
        {"an entry written since keeps its place and its own data",
         list({entry("file:///a", kOld, "gedit"), entry("file:///b", kOld, "gimp")}), list({entry("file:///a", kNew, "vim")}),
         {"file:///b " + kOld + " gimp text/plain", "file:///a " + kNew + " vim text/plain"}},
        {"an href is never doubled, even when the saved list holds it twice",
         list({entry("file:///a", kOld, "gedit"), entry("file:///a", kOld, "gimp"), entry("file:///b", kOld, "gimp")}),
         list({entry("file:///b", kNew, "vim")}),
         {"file:///a " + kOld + " gedit text/plain", "file:///b " + kNew + " vim text/plain"}},
        {"a saved entry without an href is left out",
         list({"<bookmark added=\"" + kOld + "\"/>", entry("file:///a", kOld, "gedit")}), list({}),
         {"file:///a " + kOld + " gedit text/plain"}},
        {"other prefixes for the same namespaces",
         list({entry("file:///a", kOld, "gedit")}), list({entry("file:///c", kNew, "vlc", "bm", "mt")}, "bm", "mt"),
         {"file:///a " + kOld + " gedit text/plain", "file:///c " + kNew + " vlc text/plain"}},
        {"a current list without the saved list's namespaces",
         list({entry("file:///a", kOld, "gedit")}), "<xbel version=\"1.0\"/>", {"file:///a " + kOld + " gedit text/plain"}},
    };
    for (const auto& each : cases) {
        const auto merge = mergeRecentFiles(each.saved, each.current);
        ASSERT_FALSE(merge.refusal) << each.name << ": " << *merge.refusal;
        EXPECT_EQ(entries(merge.contents), each.merged) << each.name << "\n" << merge.contents;
        EXPECT_EQ(mergeRecentFiles(each.saved, merge.contents).contents, merge.contents) << each.name << ": merged twice";
    }
}

TEST(RecentFilesMergeTest, TheCurrentListKeepsItsOwnContentAndIsUntouchedWhenNothingIsMissing) {
    const std::string current = "<?xml version=\"1.0\"?>\n<!-- kept -->\n<xbel version=\"1.0\" xmlns:bookmark=\"" +
                                std::string(kBookmarkNamespace) + "\">\n  <title>Recent</title>\n  <bookmark href=\"file:///c\"/>\n</xbel>\n";
    const auto merge = mergeRecentFiles(list({entry("file:///a", kOld, "gedit")}), current);
    ASSERT_FALSE(merge.refusal);
    for (const auto* kept : {"<!-- kept -->", "<title>Recent</title>", "xmlns:mime=\"", "<bookmark:application name=\"gedit\""}) {
        EXPECT_NE(merge.contents.find(kept), std::string::npos) << kept << "\n" << merge.contents;
    }
    EXPECT_EQ(merge.contents.find("xmlns:bookmark", merge.contents.find("<bookmark ")), std::string::npos)
        << "restored entries use the root's declarations\n" << merge.contents;
    EXPECT_EQ(mergeRecentFiles(list({entry("file:///c", kOld, "gedit")}), current).contents, current);
}

TEST(RecentFilesMergeTest, AListThatCannotBeReadIsReplacedOnlyWhenNothingIsLost) {
    const auto saved = list({entry("file:///a", kOld, "gedit")});
    const auto written = list({entry("file:///c", kNew, "vlc")});
    const std::string damaged = "<xbel version=\"1.0\">\n  <bookmark href=\"file:///c\">";
    struct Case {
        const char* name;
        std::string saved;
        std::string current;
        std::optional<std::string> contents;  // none: refused
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"an empty current list takes the saved one as it is", saved, "", saved, {}},
        {"a blank one too", saved, " \n", saved, {}},
        {"a damaged current list is left alone", saved, damaged, std::nullopt, "the list there now is not well-formed XML (line 2)"},
        {"so is a file that is no list", saved, "<html/>", std::nullopt, "the list there now is not a recent-files list"},
        {"a saved list without entries adds nothing to it", list({}), damaged, damaged, {}},
        {"a damaged backup never replaces entries written since", "<xbel", written, std::nullopt,
         "its backup is not well-formed XML"},
        {"but goes back where nothing was written since", "<xbel", list({}), "<xbel", {}},
        {"a backup whose entries use entities is none the desktop reads",
         "<!DOCTYPE xbel [<!ENTITY h \"file:///x\">]><xbel><bookmark href=\"&h;\"/></xbel>", written, std::nullopt,
         "its backup is not a list the desktop can read"},
    };
    for (const auto& each : cases) {
        const auto merge = mergeRecentFiles(each.saved, each.current);
        if (each.contents) {
            EXPECT_FALSE(merge.refusal) << each.name << ": " << merge.refusal.value_or("");
            EXPECT_EQ(merge.contents, *each.contents) << each.name;
        } else {
            ASSERT_TRUE(merge.refusal) << each.name;
            EXPECT_NE(merge.refusal->find(each.reason), std::string::npos) << each.name << ": " << *merge.refusal;
            EXPECT_EQ(merge.contents, "") << each.name;
        }
    }
}

TEST(RecentFilesMergeTest, HrefsAreReadOnlyFromAWellFormedList) {
    EXPECT_EQ(recentFileHrefs(list({entry("file:///b", kOld, "a"), entry("file:///a", kOld, "b")})),
              (std::set<std::string>{"file:///a", "file:///b"}));
    EXPECT_EQ(recentFileHrefs("<xbel><bookmark href='x'>"), std::nullopt);
    EXPECT_EQ(recentFileHrefs("<other><bookmark href='x'/></other>"), std::nullopt);
}

}  // namespace
}  // namespace zentrel::scanners
