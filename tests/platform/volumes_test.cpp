#include "platform/volumes.h"

#include "support/test_support.h"

namespace vantrel {
namespace {

const char* kMountinfo =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "30 22 0:25 / /tmp rw,nosuid shared:5 - tmpfs tmpfs rw\n"
    "41 22 11:0 / /media/My\\040Disc ro master:2 - iso9660 /dev/sr0 ro\n"
    "42 22 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
    "43 42 0:40 / /media/usb rw - tmpfs none rw\n";

TEST(Volumes, LongestMountPointWinsAndLaterMountsHideEarlierOnes) {
    MountEntry e;
    ASSERT_TRUE(FindMountIn(kMountinfo, "/home/ann/setup", e));
    EXPECT_EQ(e.mountPoint, "/");
    EXPECT_EQ(e.fsType, "ext4");
    EXPECT_EQ(e.major, 8u);
    EXPECT_EQ(e.minor, 2u);

    ASSERT_TRUE(FindMountIn(kMountinfo, "/media/My Disc/SETUP32.EXE", e));
    EXPECT_EQ(e.mountPoint, "/media/My Disc");  // "\040" is a blank
    EXPECT_EQ(e.fsType, "iso9660");
    EXPECT_EQ(e.source, "/dev/sr0");

    // "/tmpfoo" is not below "/tmp".
    ASSERT_TRUE(FindMountIn(kMountinfo, "/tmpfoo", e));
    EXPECT_EQ(e.mountPoint, "/");

    ASSERT_TRUE(FindMountIn(kMountinfo, "/media/usb/x", e));
    EXPECT_EQ(e.fsType, "tmpfs");
    EXPECT_FALSE(FindMountIn("garbage\n", "/x", e));
}

TEST(Volumes, PathsOfThisHostAndWindowsPaths) {
    test::ScratchFolder dir;
    // A folder that does not exist yet lies on the volume of its parent.
    std::string future = dir / "media/not/yet";
    EXPECT_FALSE(MountPointOf(future).empty());
    EXPECT_EQ(MountPointOf(future), MountPointOf(dir.path()));
    EXPECT_TRUE(MountPointExists(future));
    EXPECT_GT(FreeBytesOf(future), 0u);
    EXPECT_FALSE(IsOnCdRom(dir.path()));

    for (const char* windows : {"C:\\Program Files", "\\\\server\\share\\x", ""}) {
        EXPECT_EQ(MountPointOf(windows), "") << windows;
        EXPECT_FALSE(MountPointExists(windows)) << windows;
        EXPECT_EQ(FreeBytesOf(windows), 0u) << windows;
        EXPECT_FALSE(IsOnRemovable(windows)) << windows;
    }
}

}  // namespace
}  // namespace vantrel
