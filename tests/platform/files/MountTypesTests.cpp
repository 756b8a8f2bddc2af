#include "platform/files/MountTypes.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace zentrel::platform {
namespace {

TEST(MountTypesTest, EachDeviceOfTheListHasItsType) {
    const auto types = mountTypesByDevice(
        "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
        "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda1 rw\n"
        "40 28 7:3 / /media/image ro,nodev master:2 - squashfs /dev/loop3 ro\n"
        "41 28 8:17 / /media/USB\\040STICK rw - vfat /dev/sdb1 rw,fmask=0022\n"
        "a line of no shape\n"
        "42 28 x:y / /bad rw - ext4 /dev/bad rw\n");
    EXPECT_EQ(types, (std::map<std::uint64_t, std::string>{
                         {makedev(0, 21), "proc"}, {makedev(254, 0), "ext4"}, {makedev(7, 3), "squashfs"}, {makedev(8, 17), "vfat"}}));
}

TEST(MountTypesTest, ImagesAndTheFatFamilyKeepNoChangeTimesOfTheirOwn) {
    for (const char* type : {"squashfs", "iso9660", "udf", "vfat", "msdos", "exfat", "erofs", "fuseblk"})
        EXPECT_FALSE(keepsOwnChangeTimes(type)) << type;
    for (const char* type : {"ext4", "btrfs", "xfs", "tmpfs", "nfs4", "overlay"}) EXPECT_TRUE(keepsOwnChangeTimes(type)) << type;
    struct stat root {};
    ASSERT_EQ(::stat("/proc/self", &root), 0);
    EXPECT_EQ(mountTypeOfDevice(root.st_dev), "proc") << "read from this process's mounts";
    EXPECT_FALSE(deviceKeepsOwnChangeTimes(makedev(4095, 1048575))) << "an unlisted device";
}

}  // namespace
}  // namespace zentrel::platform
