#include "headless/drive_map.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveMap, MapsDrivesTheWayWineDoes) {
    headless::DriveMap drives;
    drives.mapDrive('c', "/tmp/cdrive/");
    drives.mapDrive('D', "/srv/d");
    struct Case {
        const char* windows;
        const char* native;
    };
    const Case cases[] = {
        {"Z:\\tmp\\a.zvs", "/tmp/a.zvs"},
        {"z:/tmp/a.zvs", "/tmp/a.zvs"},
        {"Z:\\", "/"},
        {"C:\\scenes\\room.zvs", "/tmp/cdrive/scenes/room.zvs"},
        {"c:\\", "/tmp/cdrive"},
        {"D:\\out\\x", "/srv/d/out/x"},
        {"Q:\\nowhere", ""},
        {"relative\\part", "relative/part"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(drives.toNative(c.windows), c.native) << c.windows;
    }
}

TEST(DriveMap, ShowsNativePathsOnTheDeepestMappedDrive) {
    headless::DriveMap drives;
    drives.mapDrive('C', "/tmp/cdrive");
    drives.mapDrive('E', "/tmp/cdrive/nested");
    EXPECT_EQ(drives.toWindows("/etc/hosts"), "Z:\\etc\\hosts");
    EXPECT_EQ(drives.toWindows("/tmp/cdrive/a/b.zvs"), "C:\\a\\b.zvs");
    EXPECT_EQ(drives.toWindows("/tmp/cdrive/nested/x"), "E:\\x");
    EXPECT_EQ(drives.toWindows("/tmp/cdrivex/y"), "Z:\\tmp\\cdrivex\\y");
    EXPECT_EQ(drives.toWindows("/tmp/cdrive/dir/"), "C:\\dir");
    EXPECT_EQ(drives.toWindows("/tmp/cdrive"), "C:\\");
    drives.unmapDrive('z');
    EXPECT_EQ(drives.toWindows("/etc/hosts"), "");
}

} // namespace
