#pragma once
// The defaults store's file backend: one JSON object per suite, kept in memory
// and written whole and atomically after every change.
//
// A file that cannot be parsed (or nests deeper than settings ever do) is read
// as an empty suite, with a warning, and is moved aside to "<file>.corrupt"
// before the first write, so the user's settings are never silently replaced.
// A settings file that is a link is written through it, to the file it names.
//
// File form: booleans, integers, reals and texts as JSON values; bytes as
// {"data": "<base64>"}. Entries of any other form are kept as they are.

#include "platform/settings/DefaultsStore.hpp"

#include <filesystem>
#include <map>
#include <mutex>

namespace zentrel::platform {

class JsonFileDefaultsStore final : public DefaultsStore {
public:
    explicit JsonFileDefaultsStore(std::filesystem::path file);

    [[nodiscard]] std::optional<DefaultsValue> value(std::string_view key) const override;
    void set(std::string_view key, DefaultsValue value) override;
    void remove(std::string_view key) override;
    [[nodiscard]] std::vector<std::string> keys() const override;
    [[nodiscard]] std::optional<std::string> lastWriteError() const override;

    [[nodiscard]] const std::filesystem::path& file() const { return file_; }
    // Whether the file held something that could not be read when it was loaded.
    [[nodiscard]] bool loadedCorruptFile() const { return corrupt_; }

private:
    void load();
    void save();

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    std::map<std::string, DefaultsValue, std::less<>> values_;
    // Entries of a form this store does not know, kept as JSON text and
    // written back as they were.
    std::map<std::string, std::string, std::less<>> unknownEntries_;
    std::optional<std::string> writeError_;
    bool corrupt_ = false;
    bool corruptFileMoved_ = false;
};

}  // namespace zentrel::platform
