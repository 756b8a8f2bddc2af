#include "services/updates/AppcastParser.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <expat.h>

#include <memory>

namespace zentrel::services {

namespace {

std::string_view localName(const XML_Char* name) {
    std::string_view text(name);
    auto colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

std::string trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(kSpace);
    return std::string(text.substr(first, last - first + 1));
}

enum class Field { none, title, version, shortVersion };

Field fieldNamed(std::string_view name) {
    if (name == "title") return Field::title;
    if (name == "version") return Field::version;
    if (name == "shortVersionString") return Field::shortVersion;
    return Field::none;
}

// An item while it is read; each field also remembers the enclosure's value.
struct ItemDraft {
    std::string title;
    std::optional<std::string> version;
    std::optional<std::string> shortVersion;
    std::optional<std::string> enclosureVersion;
    std::optional<std::string> enclosureShortVersion;
    std::string url;

    [[nodiscard]] AppcastItem finished() const {
        AppcastItem item;
        item.title = title;
        item.versionString = version.value_or(enclosureVersion.value_or(""));
        item.displayVersionString = shortVersion.value_or(enclosureShortVersion.value_or(item.versionString));
        item.downloadURL = url;
        return item;
    }
};

// Follows the path rss > channel > item > field; text is kept only from
// fields directly inside an item.
class FeedReader {
public:
    explicit FeedReader(XML_Parser parser) : parser_(parser) {}

    void start(const XML_Char* name, const XML_Char** attributes) {
        if (++depth_ > kMaxAppcastDepth) return fail(platform::localized("The update feed is nested too deeply"));
        const auto local = localName(name);
        if (depth_ == 1) {
            if (local != "rss") return fail(platform::localized("The update feed is not an RSS document"));
        } else if (depth_ == 2) {
            inChannel_ = local == "channel";
        } else if (depth_ == 3 && inChannel_ && local == "item") {
            if (items_.size() >= kMaxAppcastItems) return fail(platform::localized("The update feed lists too many items"));
            draft_.emplace();
        } else if (depth_ == 4 && draft_) {
            field_ = fieldNamed(local);
            text_.clear();
            if (local == "enclosure") readEnclosure(attributes);
        }
    }

    void end() {
        if (depth_ == 4 && draft_ && field_ != Field::none) storeField();
        if (depth_ == 4) field_ = Field::none;
        if (depth_ == 3 && draft_) {
            items_.push_back(draft_->finished());
            draft_.reset();
        }
        if (depth_ == 2) inChannel_ = false;
        --depth_;
    }

    void text(std::string_view chunk) {
        if (depth_ != 4 || field_ == Field::none) return;
        if (text_.size() + chunk.size() > kMaxAppcastFieldBytes) return fail(platform::localized("An update feed entry is too long"));
        text_.append(chunk);
    }

    void fail(std::string message) {
        if (!error_) error_ = std::move(message);
        XML_StopParser(parser_, XML_FALSE);
    }

    [[nodiscard]] const std::optional<std::string>& error() const { return error_; }
    [[nodiscard]] std::vector<AppcastItem> takeItems() { return std::move(items_); }

private:
    void storeField() {
        auto value = trimmed(text_);
        switch (field_) {
            case Field::title: draft_->title = std::move(value); break;
            case Field::version: draft_->version = std::move(value); break;
            case Field::shortVersion: draft_->shortVersion = std::move(value); break;
            case Field::none: break;
        }
    }

    void readEnclosure(const XML_Char** attributes) {
        for (std::size_t i = 0; attributes[i] && attributes[i + 1]; i += 2) {
            const auto name = localName(attributes[i]);
            std::string_view value(attributes[i + 1]);
            if (value.size() > kMaxAppcastFieldBytes) return fail(platform::localized("An update feed entry is too long"));
            if (name == "url") draft_->url = trimmed(value);
            if (name == "version") draft_->enclosureVersion = trimmed(value);
            if (name == "shortVersionString") draft_->enclosureShortVersion = trimmed(value);
        }
    }

    XML_Parser parser_;
    std::size_t depth_ = 0;
    bool inChannel_ = false;
    std::optional<ItemDraft> draft_;
    Field field_ = Field::none;
    std::string text_;
    std::vector<AppcastItem> items_;
    std::optional<std::string> error_;
};

FeedReader& readerOf(void* userData) { return *static_cast<FeedReader*>(userData); }

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

AppcastParseResult parseAppcast(std::string_view document) {
    if (document.size() > kMaxAppcastBytes) return {{}, platform::localized("The update feed is too large")};
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) return {{}, platform::localized("Could not create the update feed reader")};
    FeedReader reader(parser.get());
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(
        parser.get(),
        [](void* data, const XML_Char* name, const XML_Char** attributes) { readerOf(data).start(name, attributes); },
        [](void* data, const XML_Char*) { readerOf(data).end(); });
    XML_SetCharacterDataHandler(parser.get(), [](void* data, const XML_Char* text, int length) {
        readerOf(data).text(std::string_view(text, static_cast<std::size_t>(length)));
    });
    // Feeds have no use for a document type; refusing it also refuses entities.
    XML_SetStartDoctypeDeclHandler(parser.get(), [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        readerOf(data).fail(platform::localized("The update feed declares a document type"));
    });

    const auto status = XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE);
    if (reader.error()) return {{}, reader.error()};
    if (status != XML_STATUS_OK) {
        // The parser's own words name the fault; the line is where to look.
        return {{}, platform::localizedFormat("The update feed is malformed (line %1$lld: %2$@)",
                                              {platform::formatCount(XML_GetCurrentLineNumber(parser.get())),
                                               XML_ErrorString(XML_GetErrorCode(parser.get()))})};
    }
    return {reader.takeItems(), std::nullopt};
}

}  // namespace zentrel::services
