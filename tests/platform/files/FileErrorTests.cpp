#include "platform/files/AtomicFile.hpp"
#include "platform/text/LosslessText.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <cerrno>

namespace zentrel::platform {
namespace {

TEST(FileErrorTest, CommonErrorsAreSaidInTheUsersWordsAndOthersInTheSystems) {
    const std::vector<std::pair<int, std::string>> cases = {
        {ENOSPC, "the disk is full"},
        {EDQUOT, "the disk is full"},
        {EACCES, "permission denied"},
        {EPERM, "the system does not permit it"},
        {ENOENT, "it is no longer there"},
        {EROFS, "the disk is read-only"},
        {EBUSY, "it is in use"},
        {ENOTEMPTY, "the folder is not empty"},
        {EIO, "the disk could not be read or written"},
        {ELOOP, std::error_code(ELOOP, std::generic_category()).message()},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(fileErrorText(std::error_code(code, std::generic_category())), text) << code;
    }
    testing::ScopedDesktopTexts vietnamese("vi");
    EXPECT_EQ(fileErrorText(std::error_code(EACCES, std::generic_category())), "kh\u00F4ng c\u00F3 quy\u1EC1n");
}

TEST(FileErrorTest, AFailedAtomicWriteCarriesTheSystemsOwnError) {
    testing::TempDir dir;
    dir.write("folder", "a file where a folder should be");
    try {
        writeFileAtomicallyOrThrow(dir / "folder/settings.json", "{}");
        ADD_FAILURE() << "the write succeeded";
    } catch (const std::filesystem::filesystem_error& error) {
        EXPECT_NE(error.code(), std::errc::io_error) << "not a made-up input/output error";
        EXPECT_TRUE(error.code() == std::errc::not_a_directory || error.code() == std::errc::file_exists)
            << error.code().message();
    }
}

TEST(LosslessTextTest, StrayBytesAreEscapedForDisplayAndKeptExactlyInJson) {
    const std::string name = std::string("caf\xE9") + "/\xC3\x28" + "ok";
    EXPECT_FALSE(isValidUtf8(name));
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9"));
    EXPECT_EQ(escapedInvalidUtf8(name), "caf\\xE9/\\xC3(ok");
    nlohmann::json object = nlohmann::json::object();
    putLosslessText(object, "path", name);
    EXPECT_EQ(losslessText(nlohmann::json::parse(object.dump()), "path"), name);
    putLosslessText(object, "path", "plain");
    EXPECT_FALSE(object.contains("pathBytes")) << "a valid text is stored as itself";
}

}  // namespace
}  // namespace zentrel::platform
